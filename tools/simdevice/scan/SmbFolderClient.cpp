#include "tools/simdevice/scan/SmbFolderClient.h"

#include "tools/simdevice/scan/SmbStatus.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <libsmbclient.h>
#include <memory>
#include <mutex>
#include <utility>

namespace simdevice {

namespace {

constexpr int kTimeoutMs = 10000;  // for the connection and for each reply
constexpr mode_t kFileMode = 0644;  // the share's create mask has the last word

void CopyInto(char* buffer, int length, const std::string& text)
{
    if (length <= 0)
        return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(length - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// Answers the server's question for credentials with the account of the scan under way.
void GiveCredentials(SMBCCTX* context, const char* /*server*/, const char* /*share*/, char* workgroup,
                     int workgroupLength, char* user, int userLength, char* password, int passwordLength)
{
    const auto* account = static_cast<const SmbAccount*>(smbc_getOptionUserData(context));
    if (!account)
        return;  // asked outside a scan: nothing to give
    if (!account->domain.empty())
        CopyInto(workgroup, workgroupLength, account->domain);
    CopyInto(user, userLength, account->userName);
    CopyInto(password, passwordLength, account->password);
}

struct ContextFree {
    void operator()(SMBCCTX* context) const { smbc_free_context(context, 1); }
};
using ContextPtr = std::unique_ptr<SMBCCTX, ContextFree>;

// A libsmbclient context set up for a device: Kerberos off (the password itself is checked)
// and no anonymous session in place of a refused sign-in, which would let a wrong password
// through to a share that guests may write.
ContextPtr NewContext()
{
    ContextPtr context(smbc_new_context());
    if (!context)
        return nullptr;
    SMBCCTX* raw = context.get();
    smbc_setDebug(raw, 0);
    smbc_setTimeout(raw, kTimeoutMs);
    smbc_setOptionUseKerberos(raw, 0);
    smbc_setOptionFallbackAfterKerberos(raw, 0);
    smbc_setOptionUseCCache(raw, 0);
    smbc_setOptionNoAutoAnonymousLogin(raw, 1);
    smbc_setFunctionAuthDataWithContext(raw, GiveCredentials);
    if (!smbc_init_context(raw))
        return nullptr;
    return context;
}

// An open remote file; closed when it goes, unless Close() already did.
class RemoteFile {
public:
    RemoteFile(SMBCCTX* context, SMBCFILE* file) : context_(context), file_(file) {}
    ~RemoteFile()
    {
        if (file_)
            smbc_getFunctionClose(context_)(context_, file_);
    }
    RemoteFile(const RemoteFile&) = delete;
    RemoteFile& operator=(const RemoteFile&) = delete;

    // 0, or the errno of the first failed write.
    int WriteAll(const std::string& content)
    {
        std::size_t done = 0;
        while (done < content.size()) {
            const ssize_t n = smbc_getFunctionWrite(context_)(context_, file_, content.data() + done,
                                                              content.size() - done);
            if (n <= 0)
                return n < 0 ? errno : EIO;
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    // 0, or the errno of the failed close (the server may report a failed write only here).
    int Close()
    {
        SMBCFILE* file = std::exchange(file_, nullptr);
        return smbc_getFunctionClose(context_)(context_, file) == 0 ? 0 : errno;
    }

private:
    SMBCCTX* context_;
    SMBCFILE* file_;
};

std::string NumberedName(const std::string& prefix, int number, const std::string& extension)
{
    char digits[12]; // any int
    std::snprintf(digits, sizeof digits, "%04d", number);
    return prefix + digits + "." + extension;
}

SmbWriteResult Failed(SmbStep step, int error)
{
    return {false, {}, SmbStatusOf(step, error)};
}

// The process's one client. Samba's library loses a little memory with every context freed,
// so the context is made once and kept; its cached connections are dropped around every scan and
// folder check, so that each signs in with its own account and no session outlives it.
class SmbClient {
public:
    // The status of signing in and opening the target's folder; empty when it opened.
    std::string Open(const SmbTarget& target, const SmbAccount& account)
    {
        std::string status = kStatusUnsuccessful;  // unless the client is made and signs in
        SignedIn(target, account, [&] { status = OpenSignedIn(target); });
        return status;
    }

    SmbWriteResult Write(const SmbTarget& target, const SmbAccount& account, const std::string& prefix,
                         const std::string& extension, const std::string& content)
    {
        SmbWriteResult result{false, {}, kStatusUnsuccessful};
        SignedIn(target, account, [&] {
            if (std::string status = OpenSignedIn(target); !status.empty())
                result.status = std::move(status);
            else
                result = WriteSignedIn(target, prefix, extension, content);
        });
        return result;
    }

private:
    // Runs work with the context's connections dropped and the account given to the server's
    // question for credentials; nothing when no context could be made.
    template <typename Work>
    void SignedIn(const SmbTarget& target, const SmbAccount& account, Work work)
    {
        std::lock_guard lock(mutex_);
        if (!context_)
            context_ = NewContext();
        if (!context_)
            return;
        SMBCCTX* context = context_.get();
        smbc_setPort(context, static_cast<uint16_t>(target.port));
        DropConnections();
        smbc_setOptionUserData(context, const_cast<SmbAccount*>(&account));
        work();
        DropConnections();
        // The account is asked for only while connecting: none is kept past this call.
        smbc_setOptionUserData(context, nullptr);
    }

    // Sets up the session (the server's share listing), then opens the share and the folder, each
    // a step of its own: libsmbclient's errno means something else at each of them.
    std::string OpenSignedIn(const SmbTarget& target)
    {
        if (int error = OpenAndCloseFolder(ServerUrl(target.address)))
            return SmbStatusOf(SmbStep::Session, error);
        if (int error = OpenAndCloseFolder(ShareUrl(target.address, target.path)))
            return SmbStatusOf(SmbStep::Share, error);
        if (!target.path.folders.empty())
            if (int error = OpenAndCloseFolder(FolderUrl(target.address, target.path)))
                return SmbStatusOf(SmbStep::Folder, error);
        return {};
    }

    // Creates and writes the file in the folder that OpenSignedIn opened.
    SmbWriteResult WriteSignedIn(const SmbTarget& target, const std::string& prefix, const std::string& extension,
                                 const std::string& content)
    {
        SMBCCTX* context = context_.get();
        for (int number = 1; number <= kMaxFileNumber; ++number) {
            const std::string name = NumberedName(prefix, number, extension);
            const std::string url = FileUrl(target.address, target.path, name);
            // O_EXCL: a file of that name, whoever wrote it, is never overwritten.
            SMBCFILE* opened =
                smbc_getFunctionOpen(context)(context, url.c_str(), O_WRONLY | O_CREAT | O_EXCL, kFileMode);
            if (!opened && errno == EEXIST)
                continue;
            if (!opened)
                return Failed(SmbStep::Create, errno);
            RemoteFile file(context, opened);
            int error = file.WriteAll(content);
            if (int closeError = file.Close(); !error)
                error = closeError;
            if (!error)
                return {true, name, {}};
            smbc_getFunctionUnlink(context)(context, url.c_str());
            return Failed(SmbStep::Write, error);
        }
        return Failed(SmbStep::Create, EEXIST);
    }

    // 0 when the folder (or the server's share list, for a server URL) opens, else its errno.
    int OpenAndCloseFolder(const std::string& url)
    {
        SMBCCTX* context = context_.get();
        SMBCFILE* folder = smbc_getFunctionOpendir(context)(context, url.c_str());
        if (!folder)
            return errno ? errno : EIO;
        smbc_getFunctionClosedir(context)(context, folder);
        return 0;
    }

    void DropConnections() { smbc_getFunctionPurgeCachedServers(context_.get())(context_.get()); }

    std::mutex mutex_;
    ContextPtr context_;
};

SmbClient& ProcessClient()
{
    // Never destroyed: freeing the context at exit would only set free Samba's leak (see above).
    static SmbClient* client = new SmbClient;
    return *client;
}

} // namespace

SmbAccount::SmbAccount(std::string user, std::string secret, std::string workgroup)
    : userName(std::move(user)), password(std::move(secret)), domain(std::move(workgroup))
{
}

SmbAccount::~SmbAccount()
{
    explicit_bzero(password.data(), password.size());
}

std::string OpenFolder(const SmbTarget& target, const SmbAccount& account)
{
    return ProcessClient().Open(target, account);
}

SmbWriteResult WriteNewFile(const SmbTarget& target, const SmbAccount& account, const std::string& prefix,
                            const std::string& extension, const std::string& content)
{
    return ProcessClient().Write(target, account, prefix, extension, content);
}

} // namespace simdevice
