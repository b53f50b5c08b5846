// A private folder for a run's temporary files, removed with what it holds
// when the run ends.
#pragma once

#include <string>

namespace kelvara::tarvo {

class TemporaryFolder {
public:
    // Made under $TMPDIR, or /tmp without it.
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    bool IsMade() const { return !m_path.empty(); }
    // Ends in "/"; empty when the folder could not be made.
    const std::string& Path() const { return m_path; }
    // Why it could not be made.
    const std::string& Error() const { return m_error; }

private:
    std::string m_path;
    std::string m_error;
};

} // namespace kelvara::tarvo
