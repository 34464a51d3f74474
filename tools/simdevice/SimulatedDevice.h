// A stand-in for the network multifunction printer: its embedded HTTPS web server with the XML
// command protocol and the folder database behind it. Runs inside the calling process, on a
// loopback address only, for tests and the demo.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace simdevice {

enum class Profile {
    ManagedGranted,         // managed model that grants access to the command protocol
    ManagedRefused,         // managed model that refuses it
    UnmanagedScanToShare,   // unmanaged model licensed for SCAN_TO_SHARE
    UnmanagedSimpleFolder,  // unmanaged model licensed for SCAN_TO_SIMPLE_FOLDER
    UnmanagedNoFeature,     // unmanaged model licensed for neither
    PasswordProtected,      // web server answers every request with its log-in page (status 401)
    HttpError,              // web server answers with status 500 and an HTML page
    NeverReplies,           // web server holds every request until the device stops
    Garbled,                // web server answers with bytes that are not the expected XML
    Endless,                // web server streams a reply that never ends, until the client gives up
    CutOff,                 // web server announces a reply and closes the connection half-way through it
    Refusing,               // answers each command with its reply element saying ReturnCode="DB_FULL", doing nothing
    ErrorReplying,          // answers each command with an ErrorReply of ReturnCode "INVALID_REQUEST", doing nothing
};

// One folder record of the device's database. Texts are UTF-8; empty means absent.
struct Folder {
    std::string name, path, userName, password, domain, authType, fileFormat,
        resolution, color, fileSize;
    // Attributes left out when the device lists this record ("FolderName", "FolderPath",
    // "UserName", ...), as firmware that writes only what a record holds does.
    std::vector<std::string> unlisted;
};

// What the device received, byte for byte: the request path and the three form fields.
struct ReceivedRequest {
    std::string method;  // "GET", "POST"
    std::string target;
    std::vector<std::string> fields;  // names of the form's parts, in name order
    std::string ipAddress;
    std::string port;
    std::string xmlRequest;
    std::string xmlContentType;
    // The URL-encoded fields (of the query and of a form body) by name; the first of a name wins.
    // Only the control endpoint reads them; its requests are not recorded.
    std::map<std::string, std::string> formFields;
};

// A scan as a user starts it at the panel: the folder entry picked, and for an entry whose
// FolderAuthType is MFP_USER_CREDENTIALS the account the user signs in with. An entry with
// DEFAULT_USER_CREDENTIALS (or none) uses its own stored account and ignores the one given.
struct ScanRequest {
    std::string folder;
    std::string userName;
    std::string password;
    std::string domain;
};

// How a scan ended. On success fileName is the new file's name ("Scan_0001.pdf") in the
// entry's networkPath; on failure status holds what the panel shows: the SMB status
// ("NT_STATUS_LOGON_FAILURE", tools/simdevice/scan/SmbStatus.h) or one of the device's own
// words (tools/simdevice/scan/ScanDelivery.h), and nothing was written.
struct ScanResult {
    bool ok = false;
    std::string fileName;
    std::string networkPath;
    std::string status;
};

class DeviceState;
class HttpsServer;

class SimulatedDevice {
public:
    explicit SimulatedDevice(Profile profile = Profile::ManagedGranted);
    ~SimulatedDevice();
    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    // Listens on host (any 127.x.y.z) and port (0 picks a free one); returns once connections
    // are accepted, false when the address is refused or cannot be bound.
    bool Start(const std::string& host = "127.0.0.1", int port = 0);
    // Stops serving; requests held by NeverReplies are released first. Safe to call twice.
    void Stop();
    // "HOST:PORT", or the bare host for port 443; empty while stopped.
    std::string Address() const;
    int Port() const;

    // The profiles that describe the device (managed/unmanaged) set its kind, licences and
    // access; the others only change how the web server answers and keep the device's kind.
    void SetProfile(Profile profile);
    // Answers the requests whose CommandID is commandId ("128", "132", ...) as profile does, for
    // example HttpError or CutOff for one step of a longer exchange. A profile that describes the
    // device restores the normal answers to that command.
    void SetProfileFor(std::string commandId, Profile profile);
    // Writes control characters in the attribute values of its replies raw rather than as
    // character references, as careless firmware does (a folder name with a line break in it).
    void SetRawControlCharacters(bool raw);
    // Overrides the model name that follows from the device's kind.
    void SetModelName(std::string modelName);
    std::string ModelName() const;

    void AddFolder(Folder folder);
    std::vector<Folder> Folders() const;
    void ClearFolders();
    std::vector<std::string> EnabledFeatures() const;

    // The folder-path check (IsValidFolderPath) signs in to the record's share over SMB as its
    // account, the way a scan does (tools/simdevice/FolderPathCheck.h): the reply says ValidPath,
    // or the status a scan would fail with. A validator replaces that check with a test's own
    // (a refused record is answered FOLDER_PATH_INVALID); an empty function restores it.
    void SetFolderPathValidator(std::function<bool(const Folder&)> validator);

    std::vector<ReceivedRequest> Requests() const;
    void ClearRequests();

    // Writes a one-page document of the entry's FileFormat into its folder over SMB, as the
    // device does when a user scans to that entry. Blocks until the file is written or the
    // attempt failed; scans run one at a time. Also reachable over HTTPS: POST
    // /control/scan (tools/simdevice/ControlEndpoint.h).
    ScanResult Scan(const ScanRequest& request);
    // The host names the device resolves for scans and folder-path checks (name -> dotted
    // 127.x.y.z address; other addresses are left out), compared without letter case, as a device
    // is given DNS or WINS servers. A path whose host is a dotted loopback address needs no entry.
    void SetNameTable(std::map<std::string, std::string> hostAddresses);
    // The port scans and folder-path checks connect to (default 445).
    void SetSmbPort(int port);

private:
    std::unique_ptr<DeviceState> state_;
    std::unique_ptr<HttpsServer> server_;
    std::string host_;
};

} // namespace simdevice
