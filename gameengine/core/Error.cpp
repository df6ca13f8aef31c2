#include "core/Error.h"

#include "core/ErrorDialog.h"

namespace tidewell {

Error::~Error() = default;

void Error::show() {
    showErrorDialog("Unexpected Error", "Unexpected Error", platform::DialogButtons::Ok);
}

} // namespace tidewell
