"""Which tests guard which product files.

A file belongs to the entry below with the longest prefix that it starts with. A mutant of it is
built with that entry's test programs (CMake targets) and judged by the CTest tests that those
programs run; the tests need nothing but the loopback network (they run inside unshare -n).
"""

# (prefix, module name, test programs)
MODULES = [
    ("library/service/ComputerSetup.cpp", "library", ["computer_setup_test", "computer_exports_test"]),
    ("library/service/FolderNameUniqueness.cpp", "library", ["computer_setup_test", "computer_exports_test"]),
    ("library/service/Shortcut.cpp", "library", ["computer_setup_test", "computer_exports_test"]),
    ("library/service/CSharedFolder.cpp", "library",
     ["library_unit_test", "library_load_log_test", "library_device_test", "library_exports_test",
      "computer_setup_test"]),
    ("library/Exports.cpp", "library",
     ["library_unit_test", "library_device_test", "library_exports_test", "computer_exports_test"]),
    ("library/", "library", ["library_unit_test", "library_device_test", "library_exports_test"]),
    ("platform/shares/", "platform/shares",
     ["computer_platform_test", "computer_samba_test", "computer_setup_test", "computer_exports_test",
      "credentials_logon_test", "credentials_page_test", "selfcheck_test"]),
    ("platform/security/", "platform/security",
     ["computer_platform_test", "acl_faults_test", "computer_samba_test", "computer_setup_test", "computer_exports_test",
      "credentials_logon_test", "credentials_page_test"]),
    ("vesper/", "vesper", ["vesper_unit_test", "vesper_sdk_test", "network_discovery_test"]),
    ("network/", "network", ["network_unit_test", "network_discovery_test"]),
    ("wizard/", "wizard", ["wizard_unit_test", "wizard_flow_test"]),
    ("frontend/", "frontend", ["wizard_flow_test", "credentials_page_test", "ctl_test"]),
    ("selfcheck/", "selfcheck", ["selfcheck_unit_test", "selfcheck_test", "ctl_test"]),
    ("ctl/", "ctl", ["ctl_unit_test", "ctl_test"]),
    ("common/", "common", ["common_xml_test", "common_data_file_test", "log_stream_test", "library_load_log_test"]),
]

# What "tools/mutate" with no file names mutates.
DEFAULT_FOLDERS = ["library", "platform/shares", "platform/security", "vesper", "network"]


def module_of(path):
    """(module name, test programs) for a path relative to the tree, or None."""
    best = None
    for prefix, name, programs in MODULES:
        if path.startswith(prefix) and (best is None or len(prefix) > len(best[0])):
            best = (prefix, name, programs)
    return (best[1], best[2]) if best else None
