// Wine hands every address that the shell opens to its browser launcher,
// which tries the programs listed in HKCU\Software\Wine\WineBrowser.
// Pointing it at a recording script turns "open the update page" into a
// line in a log instead of a browser window.
#pragma once

#include <string>
#include <vector>

namespace e2e {

class browser_launcher_log {
public:
    // Installs the recorder for this Wine prefix and empties its log.
    browser_launcher_log();
    std::vector<std::string> addresses() const;

private:
    std::wstring log_path_;
};

}  // namespace e2e
