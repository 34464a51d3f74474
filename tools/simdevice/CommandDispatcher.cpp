#include "tools/simdevice/CommandDispatcher.h"

#include "tools/simdevice/CommandDocument.h"
#include "tools/simdevice/CommandHandlers.h"
#include "tools/simdevice/ReplyDocument.h"

#include <array>
#include <string_view>

namespace simdevice {

namespace {

struct CommandEntry {
    std::string_view name;
    std::string_view id;
    CommandHandler handler;
};

// DbAddRec both adds (128) and deletes (136): the CommandID tells them apart.
constexpr std::array<CommandEntry, 8> kCommands{{
    {"IsValidMfp", "170", HandleIsValidMfp},
    {"GetMfpRecordFromDevice", "156", HandleGetMfpRecord},
    {"IsValidFolderPath", "166", HandleIsValidFolderPath},
    {"DbAddRec", "128", HandleAddFolder},
    {"DbAddRec", "136", HandleDeleteFolders},
    {"DbGetNumRecs", "130", HandleCountFolders},
    {"DbGetFirstRec", "132", HandleListFolders},
    {"EnableFolder", "180", HandleEnableFolder},
}};

} // namespace

std::string AnswerXmlRequest(const std::string& xmlRequest, DeviceState& state)
{
    Command command;
    std::string reason;
    if (!ParseCommand(xmlRequest, command, reason))
        return ErrorReplyText(kInvalidRequest, reason);

    const std::string name = command.Name();
    const std::string id = command.Id();
    for (const CommandEntry& entry : kCommands) {
        if (entry.name == name && entry.id == id) {
            ReplyDocument reply(command);
            entry.handler(command.element, state, reply);
            return state.RawControlCharacters() ? reply.TextWithRawControlCharacters() : reply.Text();
        }
    }
    return ErrorReplyText("UNKNOWN_COMMAND", "no command " + name + " with CommandID " + id);
}

} // namespace simdevice
