// The message boxes of a program without a display (tests, command-line tools): every box goes
// to standard error and answers its default button.
#include "platform/ui/ConsoleMessageBox.h"
#include "platform/ui/MessageBoxes.h"

namespace platform {

namespace {

class ConsoleMessageBoxes : public IMessageBoxes {
public:
    int Show(const CString& text, const CString& caption, unsigned style) override
    {
        return ShowOnStandardError(text, caption, style);
    }
};

} // namespace

IMessageBoxes& IMessageBoxes::Default()
{
    static ConsoleMessageBoxes instance;
    return instance;
}

} // namespace platform
