#include "ctl/ScanOptionWords.h"

#include "library/Quillet_Library.h"

#include <span>

namespace {

struct Word {
    const char* user;
    const char* device;
    int value;
};

constexpr Word kFormats[] = {
    {"pdf", "PDF", BREDE_FORMAT_PDF},
    {"tiff", "TIFF", BREDE_FORMAT_TIFF},
    {"mtiff", "MTIFF", BREDE_FORMAT_MTIFF},
    {"jpeg", "JPEG", BREDE_FORMAT_JPEG},
};
constexpr Word kResolutions[] = {
    {"600", "600x600", BREDE_RESOLUTION_600}, {"400", "400x400", BREDE_RESOLUTION_400},
    {"300", "300x300", BREDE_RESOLUTION_300}, {"200", "200x200", BREDE_RESOLUTION_200},
    {"150", "150x150", BREDE_RESOLUTION_150}, {"75", "75x75", BREDE_RESOLUTION_75},
};
constexpr Word kColors[] = {
    {"color", "Color", BREDE_COLOR_COLOR},
    {"bw", "Black_White", BREDE_COLOR_BLACK_WHITE},
};
constexpr Word kSizes[] = {
    {"small", "DS_FILESIZE_SMALL", BREDE_FILESIZE_SMALL},
    {"standard", "DS_FILESIZE_STANDARD", BREDE_FILESIZE_STANDARD},
    {"large", "DS_FILESIZE_LARGE", BREDE_FILESIZE_LARGE},
};

struct OptionRow {
    const char* option;
    std::span<const Word> words;
    int ScanOptions::*field;
};

constexpr OptionRow kOptions[] = {
    {"--format", kFormats, &ScanOptions::fileFormat},
    {"--resolution", kResolutions, &ScanOptions::resolution},
    {"--color", kColors, &ScanOptions::colorSetting},
    {"--size", kSizes, &ScanOptions::fileSize},
};

std::string UserWord(std::span<const Word> words, const std::string& deviceValue)
{
    for (const Word& word : words)
        if (deviceValue == word.device)
            return word.user;
    return deviceValue;
}

} // namespace

ScanOptions DefaultScanOptions()
{
    return {BREDE_FORMAT_PDF, BREDE_RESOLUTION_150, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD};
}

bool SetScanOption(const std::string& option, const std::string& word, ScanOptions& options, std::string& error)
{
    for (const OptionRow& row : kOptions) {
        if (option != row.option)
            continue;
        for (const Word& known : row.words) {
            if (word == known.user) {
                options.*row.field = known.value;
                return true;
            }
        }
        error = option + " does not take \"" + word + "\"";
        return false;
    }
    error = "no scan option " + option;
    return false;
}

bool ScanOptionsFromArguments(const Arguments& args, ScanOptions& options, std::string& error)
{
    for (const OptionRow& row : kOptions) {
        auto given = args.Value(row.option);
        if (given && !SetScanOption(row.option, *given, options, error))
            return false;
    }
    return true;
}

std::string FileFormatWord(const std::string& deviceValue) { return UserWord(kFormats, deviceValue); }
std::string ResolutionWord(const std::string& deviceValue) { return UserWord(kResolutions, deviceValue); }
std::string ColorWord(const std::string& deviceValue) { return UserWord(kColors, deviceValue); }
std::string FileSizeWord(const std::string& deviceValue) { return UserWord(kSizes, deviceValue); }
