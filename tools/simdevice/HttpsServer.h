// The device's embedded web server: HTTPS on one loopback address, answering every request
// through one handler. The transport knows nothing of the command protocol.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class SSLServer;
struct Request;
struct Response;
} // namespace httplib

namespace simdevice {

// How a reply's body goes out.
enum class Delivery {
    Whole,     // the body, with its length announced
    Withheld,  // nothing until the server stops
    Endless,   // the body over and over, in chunks, until the client goes away or the server stops
    CutOff,    // the body's length announced, then half of it, then the connection closes
};

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
    Delivery delivery = Delivery::Whole;
};

class HttpsServer {
public:
    using Handler = std::function<Reply(const ReceivedRequest&)>;

    explicit HttpsServer(Handler handler);
    ~HttpsServer();
    HttpsServer(const HttpsServer&) = delete;
    HttpsServer& operator=(const HttpsServer&) = delete;

    // Returns once the server accepts connections; port 0 picks a free port.
    bool Start(const std::string& host, int port);
    // Releases withheld replies, then stops listening and waits for every worker.
    void Stop();
    int Port() const;

private:
    void Serve(const httplib::Request& request, httplib::Response& response);
    void WaitUntilStopping();

    Handler handler_;
    std::unique_ptr<httplib::SSLServer> server_;
    std::thread listener_;
    std::atomic<bool> listenerDone_{false};
    int port_ = 0;
    std::mutex mutex_;
    std::condition_variable stoppingChanged_;
    bool stopping_ = false;
};

} // namespace simdevice
