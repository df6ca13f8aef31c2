#include "ErrorNoMemory.h"

#include "ErrorDialog.h"

namespace tidewell {

void ErrorNoMemory::show() {
    showErrorDialog("Memory Error", "Out of memory", platform::DialogButtons::Ok);
}

} // namespace tidewell
