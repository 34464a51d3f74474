// TarrowNetwork's writer of the settings data file: collects key/value pairs during the run and
// writes them once, just before the program ends.
//
// The file is UTF-16LE with FF FE, LF line ends and one TAB per level:
//   <?xml version="1.0" encoding="utf-16"?>
//   <tarrow>
//   	<settings>
//   		<Key>
//   			value (the five special characters as entities)
//   		</Key>
//   	</settings>
//   </tarrow>
#pragma once

#include "platform/core/CString.h"

#include <utility>
#include <vector>

class CWriteXML {
public:
    // The file is the data file in this run's folder, fixed when it is first needed (an answer
    // that is only read in the process, as tarrowctl's, makes no folder).
    CWriteXML() = default;

    // Stores the pair, replacing the value of a key stored before.
    void SetValue(const CString& key, const CString& value);
    // The value stored for key, or empty.
    CString Value(const CString& key) const;

    // Writes the skeleton and then each pair with a non-empty value; nothing at all (no file, no
    // log line) when no pair was stored. A malformed file met on the way stops the program with
    // exit code 255. False when the file or a pair could not be written.
    bool CreateDataFile();

    // Adds one key element to the file on disk: 1 on success (or for an empty value, which is
    // never written), 0 when the file is missing or cannot be written.
    int WriteElement(const CString& key, const CString& value);

    const CString& Path();

private:
    CString m_path;
    bool m_pathFixed = false;
    std::vector<std::pair<CString, CString>> m_values; // in the order first stored
};
