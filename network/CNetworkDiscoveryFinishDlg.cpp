#include "network/CNetworkDiscoveryFinishDlg.h"

#include "network/DeviceChoice.h"

namespace {

// Keys of the settings data file for the parts of a chosen device, in the order stored.
struct AddressKey {
    const char16_t* key;
    CString DeviceChoice::*part;
};

constexpr AddressKey kAddressKeys[] = {
    {u"IPAddress", &DeviceChoice::ipAddress},
    {u"HostName", &DeviceChoice::hostName},
    {u"MACAddress", &DeviceChoice::macAddress},
};

} // namespace

CNetworkDiscoveryFinishDlg::CNetworkDiscoveryFinishDlg(NetworkState& state, CWriteXML& dataFile)
    : CNetworkBaseDlg(state, dataFile, u"NetworkDiscoveryFinish")
{
}

std::span<const NetworkBinding<CNetworkDiscoveryFinishDlg>> CNetworkDiscoveryFinishDlg::Bindings()
{
    static constexpr NetworkBinding<CNetworkDiscoveryFinishDlg> kBindings[] = {
        {u"SelectedDevice", platform::PageProperty::Value, &CNetworkDiscoveryFinishDlg::m_selectedDevice},
    };
    return kBindings;
}

std::span<const NetworkClick<CNetworkDiscoveryFinishDlg>> CNetworkDiscoveryFinishDlg::Clicks()
{
    static constexpr NetworkClick<CNetworkDiscoveryFinishDlg> kClicks[] = {
        {u"ButtonNext", &CNetworkDiscoveryFinishDlg::OnButtonNext},
    };
    return kClicks;
}

void CNetworkDiscoveryFinishDlg::OnButtonNext()
{
    UpdateData(true);
    if (m_selectedDevice == kDeviceNotInList) {
        DataFile().SetValue(u"SelectionStatus", u"0");
    } else {
        // Any other text is a device, an empty one too: its empty parts are not written.
        DataFile().SetValue(u"SelectionStatus", u"1");
        const DeviceChoice device = SplitDeviceChoice(m_selectedDevice);
        for (const AddressKey& address : kAddressKeys)
            DataFile().SetValue(address.key, device.*address.part);
    }
    LeavePage();
}
