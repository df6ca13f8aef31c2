#include "Error.h"

#include "ErrorDialog.h"

namespace tidewell {

Error::~Error() = default;

void Error::show() {
    showErrorDialog("Unexpected Error", "Unexpected Error", platform::DialogButtons::Ok);
}

} // namespace tidewell
