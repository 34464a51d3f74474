// The Welcome page's device check, on a worker thread: TarrowNetwork for a new address, then the
// device's scan feature and, when it can be used, its folder list for the removal pages. Ends by
// posting WM_WORK_DONE to the page.
#pragma once

#include "wizard/WizardState.h"

#include "platform/core/ChildStop.h"

// The message for the address that the chosen radio names when, blanks around it trimmed, it
// cannot be such an address (it holds a blank or a quotation mark); 0 when it can, or when that
// box is empty.
unsigned InvalidAddressMessage(const WizardState& state);

// One check. It works on its own copy of the state, made on the page's thread when the check
// begins; the page takes the results over after WM_WORK_DONE.
class DeviceCheck {
public:
    DeviceCheck(const WizardState& state, std::shared_ptr<IMessageWindow> page);

    // On the worker thread. A stopped check shows no message and posts nothing.
    void Run();
    // From the page's thread: ends the check's TarrowNetwork by its PID; no further step runs.
    void Stop() { m_stop.Stop(); }
    // After WM_WORK_DONE: what the check found and decided, into the page's state.
    void ApplyTo(WizardState& state) const;

private:
    void CheckFeature();

    WizardState m_state;
    platform::ChildStop m_stop;
};
