// The four scan options by the words tarrowctl takes (--format pdf ...) and the words the device
// lists them with (FileFormat="PDF" ...), each with the library's value.
#pragma once

#include "ctl/Arguments.h"

#include <string>

struct ScanOptions {
    int fileFormat, resolution, colorSetting, fileSize; // Brede_FileFormat ... Brede_FileSize
};

// The wizard's proposal: PDF, 150 dpi, colour, standard size.
ScanOptions DefaultScanOptions();

// Sets option ("--format", "--resolution", "--color", "--size") to the value of the user's
// word. False with error for an option or a word not in the table.
bool SetScanOption(const std::string& option, const std::string& word, ScanOptions& options, std::string& error);

// Takes the options given in args over options. False with error for a word not in the table.
bool ScanOptionsFromArguments(const Arguments& args, ScanOptions& options, std::string& error);

// The user's words of a device's values ("PDF" -> "pdf", "150x150" -> "150"); a value the table
// does not know passes through as it is.
std::string FileFormatWord(const std::string& deviceValue);
std::string ResolutionWord(const std::string& deviceValue);
std::string ColorWord(const std::string& deviceValue);
std::string FileSizeWord(const std::string& deviceValue);
