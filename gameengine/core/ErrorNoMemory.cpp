#include "core/ErrorNoMemory.h"

#include "core/ErrorDialog.h"

namespace tidewell {

void ErrorNoMemory::show() {
    showErrorDialog("Memory Error", "Out of memory", platform::DialogButtons::Ok);
}

} // namespace tidewell
