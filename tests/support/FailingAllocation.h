#pragma once

// Makes the next allocation through the non-throwing operator new fail, the way
// an exhausted heap would, so that out-of-memory paths can be exercised.
void failNextNothrowAllocation();
