// Every option of tarrowctl, once; each subcommand's table lists the ones it takes.
#pragma once

#include "ctl/Arguments.h"

inline constexpr OptionSpec kHelpOption{"--help", nullptr, "show this help"};
inline constexpr OptionSpec kJsonOption{"--json", nullptr,
                                        "print the result as one JSON document (its form: tarrowctl --help)"};
inline constexpr OptionSpec kHostOption{"--host", "NAME", "the device's host name instead of its IP address"};
inline constexpr OptionSpec kMacOption{"--mac", "MAC",
                                       "the device's MAC address instead of its IP address (searched on the network)"};
inline constexpr OptionSpec kNameOption{"--name", "NAME", "the folder's name (default: a free name proposed)"};
inline constexpr OptionSpec kLocationOption{"--location", "DIR",
                                            "the folder that holds the scan folder (default: ~/Norvik_Scans)"};
inline constexpr OptionSpec kShortcutOption{"--shortcut", nullptr, "put a link to the folder on the desktop"};
inline constexpr OptionSpec kUserOption{"--user", "USER", "the account the device writes as (default: yours)"};
inline constexpr OptionSpec kDomainOption{"--domain", "DOMAIN", "the account's domain (default: this computer)"};
inline constexpr OptionSpec kAskAtDeviceOption{
    "--ask-at-device", nullptr, "store no account on the device: whoever scans signs in at the device"};
inline constexpr OptionSpec kIfAbsentOption{
    "--if-absent", nullptr, "with --name: a folder set up here before and registered on the device is left as it is"};
inline constexpr OptionSpec kPasswordStdinOption{"--password-stdin", nullptr,
                                                 "read the password from standard input (else it is asked for)"};
inline constexpr OptionSpec kFormatOption{"--format", "FORMAT", "file format: pdf (default), tiff, mtiff or jpeg"};
inline constexpr OptionSpec kResolutionOption{"--resolution", "DPI",
                                              "resolution: 600, 400, 300, 200, 150 (default) or 75"};
inline constexpr OptionSpec kColorOption{"--color", "COLOR", "color (default) or bw"};
inline constexpr OptionSpec kSizeOption{"--size", "SIZE", "file size: small, standard (default) or large"};
inline constexpr OptionSpec kShareOption{"--share", "NAME", "the share to check (default: every share of the account)"};
inline constexpr OptionSpec kComputerSideOption{
    "--computer-side", nullptr,
    "also stop sharing the folders on this computer (the folders and their scans stay)"};
inline constexpr OptionSpec kSmb1Option{"--smb1", nullptr, "the device speaks SMB1 only (needs server min protocol = NT1)"};
inline constexpr OptionSpec kNtlmV1Option{"--ntlmv1", nullptr, "the device signs in with NTLMv1 only"};
inline constexpr OptionSpec kFixOption{"--fix", nullptr,
                                       "mend the problems found that need root, after one question (and one authentication)"};
inline constexpr OptionSpec kYesOption{"--yes", nullptr, "with --fix: apply the fixes without asking"};
inline constexpr OptionSpec kScopeOption{"--scope", "CIDR",
                                        "only this subnet ADDRESS/BITS or range FIRST-LAST (default: this computer's)"};
