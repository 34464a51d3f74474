#include "PageScheme.h"

#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <string_view>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr const char* kScheme = "tarrow";
constexpr std::string_view kPrefix = "tarrow://app/";

struct MimeRow {
    std::string_view extension;
    const char* type;
};

constexpr MimeRow kMimeTypes[] = {
    {".htm", "text/html"}, {".html", "text/html"},  {".js", "text/javascript"},
    {".css", "text/css"},  {".bmp", "image/bmp"},   {".png", "image/png"},
    {".svg", "image/svg+xml"}, {".gif", "image/gif"}, {".jpg", "image/jpeg"},
};

const char* MimeTypeOf(std::string_view path)
{
    for (const MimeRow& row : kMimeTypes)
        if (path.size() >= row.extension.size() && path.substr(path.size() - row.extension.size()) == row.extension)
            return row.type;
    return "application/octet-stream";
}

std::string Folder(CString (ISystemInfo::*folder)())
{
    return ToPosixPathOrMissing((Use<ISystemInfo>().*folder)());
}

bool IsRegularFile(const std::string& path, goffset& size)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    size = info.st_size;
    return true;
}

// The file that answers a path below the scheme's root: the run folder's when it has one, else
// the program folder's. Empty for a path that would climb out of them.
std::string FileFor(const std::string& relative, goffset& size)
{
    if (relative.empty() || relative.find("..") != std::string::npos || relative.front() == '/')
        return {};
    for (auto folder : {&ISystemInfo::GetRunFolder, &ISystemInfo::GetModuleFolder}) {
        const std::string root = Folder(folder);
        if (!root.empty() && IsRegularFile(root + "/" + relative, size))
            return root + "/" + relative;
    }
    return {};
}

void Fail(WebKitURISchemeRequest* request, const std::string& why)
{
    GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, why.c_str());
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
}

void Serve(WebKitURISchemeRequest* request, gpointer)
{
    const gchar* path = webkit_uri_scheme_request_get_path(request);
    gchar* unescaped = path ? g_uri_unescape_string(path, nullptr) : nullptr;
    std::string relative = unescaped ? unescaped : "";
    g_free(unescaped);
    if (!relative.empty() && relative.front() == '/')
        relative.erase(0, 1);
    goffset size = 0;
    const std::string file = FileFor(relative, size);
    if (file.empty())
        return Fail(request, "no page file " + relative);
    GFile* handle = g_file_new_for_path(file.c_str());
    GFileInputStream* stream = g_file_read(handle, nullptr, nullptr);
    g_object_unref(handle);
    if (!stream)
        return Fail(request, "cannot read " + file);
    webkit_uri_scheme_request_finish(request, G_INPUT_STREAM(stream), size, MimeTypeOf(relative));
    g_object_unref(stream);
}

} // namespace

void RegisterPageScheme(WebKitWebContext* context)
{
    webkit_web_context_register_uri_scheme(context, kScheme, &Serve, nullptr, nullptr);
}

std::string PageUri(const CString& filePath)
{
    const auto path = ToPosixPath(filePath);
    if (!path)
        return {};
    const std::string module = Folder(&ISystemInfo::GetModuleFolder);
    if (!module.empty() && path->size() > module.size() + 1 && path->compare(0, module.size(), module) == 0 &&
        (*path)[module.size()] == '/') {
        gchar* escaped = g_uri_escape_string(path->c_str() + module.size() + 1, "/", FALSE);
        std::string uri = std::string(kPrefix) + escaped;
        g_free(escaped);
        return uri;
    }
    gchar* uri = g_filename_to_uri(path->c_str(), nullptr, nullptr);
    std::string text = uri ? uri : "";
    g_free(uri);
    return text;
}

} // namespace platform
