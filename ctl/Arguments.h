// The command line of one tarrowctl subcommand: options by a table of what each one takes,
// the rest positional.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct OptionSpec {
    const char* name;     // "--format"
    const char* argument; // name of its value in help ("FORMAT"); null for a flag
    const char* help;
};

class Arguments {
public:
    // Reads args (after the subcommand's name). "--name value" and "--name=value" both work; "--"
    // ends the options. False with the reason in error for an unknown option, a value missing or
    // given to a flag.
    bool Parse(const std::vector<std::string>& args, std::span<const OptionSpec> specs, std::string& error);

    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
    const std::vector<std::string>& Positionals() const { return m_positionals; }

private:
    std::map<std::string, std::string> m_values; // flags map to ""
    std::vector<std::string> m_positionals;
};
