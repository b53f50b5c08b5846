// An environment variable set (or unset, with nullopt) for one scope and put
// back as it was afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kelvara::testing {

class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::optional<std::string>& value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        Set(value);
    }
    ~ScopedVariable() { Set(m_old); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void Set(const std::optional<std::string>& value) const
    {
        if (value)
            ::setenv(m_name, value->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace kelvara::testing
