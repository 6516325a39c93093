// Shows the verbose-logging alert as an application-modal message box.
#pragma once

namespace tz {

// Installs the message-box presenter for verboseAlert; call once a QApplication exists.
void useMessageBoxForVerboseAlert();

} // namespace tz
