#include "wizard/CProgressDlg.h"

#include "wizard/PageChain.h"
#include "wizard/WizardMessages.h"

#include "frontend/FixOffers.h"

#include "common/log/ProgramLog.h"
#include "library/Quillet_Library.h"
#include "platform/core/Services.h"
#include "platform/core/Sleep.h"

CProgressDlg::CProgressDlg(WizardState& state) : CBaseDlg(state, u"Progress") {}

std::span<const Binding<CProgressDlg>> CProgressDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CProgressDlg> kBindings[] = {
        PageText<CProgressDlg>(u"Step1Image", Src, &CProgressDlg::m_step1Image),
        PageText<CProgressDlg>(u"Step2Image", Src, &CProgressDlg::m_step2Image),
        PageText<CProgressDlg>(u"Step3Image", Src, &CProgressDlg::m_step3Image),
    };
    return kBindings;
}

std::span<const ClickHandler<CProgressDlg>> CProgressDlg::Clicks()
{
    return {};
}

namespace {

constexpr const char16_t* kRunning = u"../Images/PresentFocus.bmp";
constexpr const char16_t* kSucceeded = u"../Images/Success.bmp";
constexpr const char16_t* kFailed = u"../Images/Failure.bmp";

// "NoError" for 0, "Failed" for 1, each followed by the ending; else the number alone.
CString ResultText(int result, const char16_t* ending)
{
    if (result == BREDE_NO_ERROR)
        return CString(u"NoError") + ending;
    if (result == BREDE_FAILED)
        return CString(u"Failed") + ending;
    return IntToCString(result);
}

// A short pause, so that the first step is seen.
void StartDelay(WizardState* state)
{
    state->failed = 0;
    platform::Use<platform::ISleeper>().Sleep(2000);
    state->windowHandle->PostMessage(WM_PROGRESS_START, 0, 0);
}

// The folder, its rights, share and shortcut on this computer.
void SetUpComputer(WizardState* state)
{
    CLogStream& log = ProgramLog();
    log.Line(u"Calling ConfigureComputer()");
    platform::Use<platform::ISleeper>().Sleep(1000);
    state->computerResult = ConfigureComputer(state->location, state->folderName, state->createShortcut, state->userName);
    log.Line(u"ConfigureComputer(" + state->location + u"," + state->folderName + u") returned " +
             ResultText(state->computerResult, u" ."));
    state->failed = state->computerResult != BREDE_NO_ERROR ? 1 : 0;
    state->failureDetail = state->failed ? GetFailureDetail() : CString();
    // The Error page offers what lets the account share, where that is what failed.
    state->sharingNotAllowed = state->failed && ShareFix().has_value();
    state->windowHandle->PostMessage(WM_COMPUTER_DONE, 0, 0);
}

// The folder's record on the device; not tried when the computer's part failed.
void SetUpDevice(WizardState* state)
{
    if (state->computerResult != BREDE_NO_ERROR) {
        state->deviceResult = BREDE_FAILED;
    } else {
        CLogStream& log = ProgramLog();
        log.Line(u"Calling ConfigureDevice()");
        const auto format = static_cast<Brede_FileFormat>(state->fileFormat);
        const auto resolution = static_cast<Brede_ImageResolution>(state->resolution);
        const auto color = static_cast<Brede_ColorSetting>(state->colorSetting);
        const auto size = static_cast<Brede_FileSize>(state->fileSize);
        // The record names the share that ConfigureComputer made: the name without white space
        // around it.
        CString shareName = state->folderName;
        shareName.Trim();
        state->deviceResult =
            state->saveCredentials
                ? ConfigureDevice(state->userName, state->password, state->domain, state->deviceIp, state->computerName,
                                  shareName, format, resolution, color, size)
                : ConfigureDevice(state->deviceIp, state->computerName, shareName, format, resolution, color, size);
        log.Line(u"ConfigureDevice() for " + state->deviceIp + u" returned " + ResultText(state->deviceResult, u""));
        // A folder that the device does not know stays on this computer no longer.
        if (state->deviceResult != BREDE_NO_ERROR) {
            log.Line(u"Calling UndoComputerSetup()");
            log.Line(u"UndoComputerSetup(" + shareName + u") returned " +
                     ResultText(UndoComputerSetup(shareName), u""));
        }
    }
    state->failed = state->deviceResult != BREDE_NO_ERROR ? 1 : 0;
    state->windowHandle->PostMessage(WM_DEVICE_DONE, 0, 0);
}

} // namespace

int CProgressDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    m_step1Image = kRunning;
    UpdateData(false);
    StartWorker(StartDelay);
    return 1;
}

void CProgressDlg::WindowProc(unsigned message)
{
    WizardState& state = State();
    switch (message) {
    case WM_PROGRESS_START:
        m_step1Image = kSucceeded;
        m_step2Image = kRunning;
        UpdateData(false);
        StartWorker(SetUpComputer);
        break;
    case WM_COMPUTER_DONE:
        if (state.failed) {
            m_step2Image = kFailed;
        } else {
            m_step2Image = kSucceeded;
            m_step3Image = kRunning;
        }
        UpdateData(false);
        StartWorker(SetUpDevice);
        break;
    case WM_DEVICE_DONE:
        StorePosition();
        EndDialog(platform::kPageOk);
        RunPage(state, state.failed ? PageId::Error : PageId::Finish);
        break;
    default:
        break;
    }
}
