// Runs the fuzz target without libFuzzer: over the seed files given on the command line and over
// inputs derived from them by a fixed-seed mutator, so that any compiler can run it as a test.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

const std::vector<std::string> kFragments = {
    "<", ">", "</", "/>", "<?", "?>", "=", "\"", "'", "&", "&amp;", "&#x41;", "&#65;", "&#", ";", "<![CDATA[",
    "]]>", "<!DOCTYPE", "]>", "<!--", "-->", "<PRE>", "</PRE>", "<Script>", "</Script>", "<tarrow>",
    "</tarrow>", "<settings>", "</settings>", " ", "\t", "\n", "\xFF\xFE", "\xEF\xBB\xBF", "\xC3", "\x00"};

std::string Mutate(std::string input, std::mt19937& random)
{
    for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
        std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 4) {
        case 0: input.insert(at, kFragments[random() % kFragments.size()]); break;
        case 1: if (at < input.size()) input.erase(at, 1 + random() % 8); break;
        case 2: if (at < input.size()) input[at] = static_cast<char>(random()); break;
        default: input.insert(at, input.substr(random() % (input.size() + 1), random() % 32)); break;
        }
    }
    return input;
}

void Run(const std::string& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> seeds{""};
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::mt19937 random(20240601);
    std::size_t runs = 0;
    for (const auto& seed : seeds) {
        Run(seed);
        std::string input = seed;
        for (int i = 0; i < 20000; ++i, ++runs) {
            input = random() % 8 == 0 ? seed : Mutate(input, random);
            Run(input);
        }
    }
    std::printf("%zu generated inputs parsed\n", runs);
    return 0;
}
