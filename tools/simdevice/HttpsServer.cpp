#include "tools/simdevice/HttpsServer.h"

#include "tools/simdevice/Certificate.h"

#include <httplib.h>

#include <chrono>

namespace simdevice {

namespace {

std::string FieldOf(const httplib::Request& request, const char* name)
{
    return request.has_file(name) ? request.get_file_value(name).content : std::string();
}

ReceivedRequest ReceivedFrom(const httplib::Request& request)
{
    ReceivedRequest received;
    received.method = request.method;
    received.target = request.path;
    // httplib puts the query's fields and those of a URL-encoded body into params.
    for (const auto& [name, value] : request.params)
        received.formFields.emplace(name, value);
    for (const auto& [name, part] : request.files)
        received.fields.push_back(name);
    received.ipAddress = FieldOf(request, "ip_address");
    received.port = FieldOf(request, "port");
    if (request.has_file("xml_request")) {
        const httplib::MultipartFormData xml = request.get_file_value("xml_request");
        received.xmlRequest = xml.content;
        received.xmlContentType = xml.content_type;
    }
    return received;
}

} // namespace

HttpsServer::HttpsServer(Handler handler)
    : handler_(std::move(handler))
{
}

HttpsServer::~HttpsServer()
{
    Stop();
}

bool HttpsServer::Start(const std::string& host, int port)
{
    const Certificate& certificate = SharedCertificate();
    if (server_ || !certificate.cert)
        return false;
    auto server = std::make_unique<httplib::SSLServer>(certificate.cert, certificate.key);
    if (!server->is_valid())
        return false;
    server->set_tcp_nodelay(true);
    server->set_keep_alive_timeout(1);
    const auto serve = [this](const httplib::Request& request, httplib::Response& response) {
        Serve(request, response);
    };
    server->Get(".*", serve);
    server->Post(".*", serve);

    const int bound = port == 0 ? server->bind_to_any_port(host) : (server->bind_to_port(host, port) ? port : -1);
    if (bound <= 0)
        return false;

    port_ = bound;
    server_ = std::move(server);
    listenerDone_ = false;
    listener_ = std::thread([this] {
        server_->listen_after_bind();
        listenerDone_ = true;
    });
    // The socket already listens; wait until stop() can reach the accept loop too.
    while (!server_->is_running() && !listenerDone_)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (listenerDone_) {
        Stop();
        return false;
    }
    return true;
}

void HttpsServer::Stop()
{
    if (!server_)
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stoppingChanged_.notify_all();
    server_->stop();
    listener_.join();
    server_.reset();
    port_ = 0;
    std::lock_guard lock(mutex_);
    stopping_ = false;
}

int HttpsServer::Port() const
{
    return port_;
}

void HttpsServer::Serve(const httplib::Request& request, httplib::Response& response)
{
    Reply reply = handler_(ReceivedFrom(request));
    response.status = reply.status;
    switch (reply.delivery) {
    case Delivery::Whole:
        response.set_content(reply.body, reply.contentType.c_str());
        return;
    case Delivery::Withheld:
        WaitUntilStopping();
        response.status = 503;
        response.set_header("Connection", "close");
        return;
    case Delivery::Endless:
        // Ends when a write fails (the client hung up) or the server stops.
        response.set_chunked_content_provider(
            reply.contentType, [body = std::move(reply.body)](std::size_t, httplib::DataSink& sink) {
                return sink.write(body.data(), body.size());
            });
        return;
    case Delivery::CutOff:
        // Refusing to go on after the first half makes the server close the connection.
        response.set_content_provider(
            reply.body.size(), reply.contentType,
            [body = std::move(reply.body)](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                return offset == 0 && sink.write(body.data(), body.size() / 2);
            });
        return;
    }
}

void HttpsServer::WaitUntilStopping()
{
    std::unique_lock lock(mutex_);
    stoppingChanged_.wait(lock, [this] { return stopping_; });
}

} // namespace simdevice
