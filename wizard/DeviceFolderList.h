// The device's folder list as a script for the pages: "js\DeviceFolderList.js" beside the
// program, in UTF-16LE with the byte-order mark and CR LF line ends. Every value is written as a
// JavaScript string literal that evaluates to the device's text.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

class CUnicodeTextFile;

// Run folder + "/js/DeviceFolderList.js"; empty when there is no run folder.
CString DeviceFolderListPath();

// Lists the device's folders (GetFolderNamesOnDevice) and writes the file anew: the count, and
// when there are folders the three arrays of names, network paths and user names. 1 when the
// file was written, 0 when it could not be (logged).
int WriteFolderNamesFile(const CString& ipAddress);

// Writes the array entries of the three device lists; returns the number of names. A count that
// differs from it is logged.
int WriteNamesToFile(CUnicodeTextFile& file, int count);

// A name of the checked-folder text as the page wrote it: "%2C" for each comma and "%25" for
// each percent sign of the name; any other text stands for itself.
CString UnescapedFolderName(const CString& item);

// The folder names of the pages' checked-folder text: names each followed by a comma, each name
// escaped (UnescapedFolderName) so that no name holds a comma; a name without its comma is left
// out, empty names are skipped, a comma in the first place ends the list. Logs each step after logPrefix. At most kMaxCheckedPasses commas are read; tooMany is
// set when the text holds more.
inline constexpr int kMaxCheckedPasses = 102;
CStringList ParseCheckedFolders(const CString& text, const CString& logPrefix, bool& tooMany);

// Appends the block of the checked folders (names, and the path and user name that the device
// list holds for each, "Not found" when it holds none). 1 when appended, 0 when it could not be.
int AppendCheckedFolders(const CString& foldersChecked);
