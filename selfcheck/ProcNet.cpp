#include "ProcNet.h"

#include <algorithm>
#include <arpa/inet.h>
#include <charconv>
#include <fstream>
#include <netinet/in.h>
#include <sstream>

namespace selfcheck {

namespace {

bool ParseHex(std::string_view text, unsigned long& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size();
}

// The kernel writes each 32-bit word of the address as a number in the machine's byte order.
bool ParseAddress(std::string_view hex, int family, LocalSocket& socket)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (family == AF_INET) {
        unsigned long word = 0;
        if (hex.size() != 8 || !ParseHex(hex, word))
            return false;
        in_addr address{};
        address.s_addr = static_cast<uint32_t>(word);
        inet_ntop(AF_INET, &address, text, sizeof text);
        socket.wildcard = address.s_addr == htonl(INADDR_ANY);
        socket.loopback = (ntohl(address.s_addr) >> 24) == 127;
    } else {
        in6_addr address{};
        if (hex.size() != 32)
            return false;
        for (int i = 0; i < 4; ++i) {
            unsigned long word = 0;
            if (!ParseHex(hex.substr(static_cast<std::size_t>(i) * 8, 8), word))
                return false;
            uint32_t value = static_cast<uint32_t>(word);
            std::copy_n(reinterpret_cast<const unsigned char*>(&value), 4, address.s6_addr + i * 4);
        }
        inet_ntop(AF_INET6, &address, text, sizeof text);
        socket.wildcard = IN6_IS_ADDR_UNSPECIFIED(&address);
        socket.loopback = IN6_IS_ADDR_LOOPBACK(&address) ||
                          (IN6_IS_ADDR_V4MAPPED(&address) && address.s6_addr[12] == 127);
    }
    socket.family = family;
    socket.address = text;
    return true;
}

std::string ReadWhole(const char* path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<LocalSocket> ReadBoth(const char* v4, const char* v6, int state, int port)
{
    std::vector<LocalSocket> sockets = ParseProcNet(ReadWhole(v4), AF_INET, state, port);
    for (auto& socket : ParseProcNet(ReadWhole(v6), AF_INET6, state, port))
        sockets.push_back(std::move(socket));
    return sockets;
}

} // namespace

// A line: "  0: 0100007F:01BD 00000000:0000 0A ...": slot, local address:port, remote, state.
std::vector<LocalSocket> ParseProcNet(std::string_view text, int family, int state, int port)
{
    std::vector<LocalSocket> sockets;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string slot, local, remote, stateText;
        if (!(words >> slot >> local >> remote >> stateText) || slot.empty() || slot.back() != ':')
            continue;
        std::size_t colon = local.find(':');
        unsigned long localPort = 0, localState = 0;
        if (colon == std::string::npos || !ParseHex(std::string_view(local).substr(colon + 1), localPort) ||
            !ParseHex(stateText, localState))
            continue;
        LocalSocket socket;
        if (static_cast<int>(localState) != state || static_cast<int>(localPort) != port ||
            !ParseAddress(std::string_view(local).substr(0, colon), family, socket))
            continue;
        socket.port = port;
        sockets.push_back(std::move(socket));
    }
    return sockets;
}

std::vector<LocalSocket> ListeningTcpSockets(int port)
{
    return ReadBoth("/proc/net/tcp", "/proc/net/tcp6", kTcpListen, port);
}

std::vector<LocalSocket> BoundUdpSockets(int port)
{
    return ReadBoth("/proc/net/udp", "/proc/net/udp6", kUdpUnconnected, port);
}

} // namespace selfcheck
