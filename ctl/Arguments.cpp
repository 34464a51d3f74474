#include "ctl/Arguments.h"

namespace {

const OptionSpec* Find(std::span<const OptionSpec> specs, const std::string& name)
{
    for (const OptionSpec& spec : specs)
        if (name == spec.name)
            return &spec;
    return nullptr;
}

} // namespace

bool Arguments::Parse(const std::vector<std::string>& args, std::span<const OptionSpec> specs, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            m_positionals.insert(m_positionals.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            return true;
        }
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            m_positionals.push_back(arg);
            continue;
        }
        std::size_t equals = arg.find('=');
        std::string name = arg.substr(0, equals);
        const OptionSpec* spec = Find(specs, name);
        if (!spec) {
            error = "unknown option " + name;
            return false;
        }
        if (!spec->argument) {
            if (equals != std::string::npos) {
                error = name + " takes no value";
                return false;
            }
            m_values[name] = "";
        } else if (equals != std::string::npos) {
            m_values[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            m_values[name] = args[++i];
        } else {
            error = name + " needs a value (" + spec->argument + ")";
            return false;
        }
    }
    return true;
}

std::optional<std::string> Arguments::Value(const std::string& name) const
{
    auto found = m_values.find(name);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}
