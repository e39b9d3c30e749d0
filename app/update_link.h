#pragma once

namespace app {

// Asks the shell to open the update page in the user's web browser. The
// outcome is not looked at: the label works again on the next press.
void open_update_page();

}  // namespace app
