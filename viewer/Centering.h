#pragma once

namespace tessaro {

// Where something of size `inner` starts when it is centred in `outer`: half the
// difference, a half rounded to the even neighbour, so that the background picture sits
// where it always sat. Negative when `inner` is the larger.
int CenteredOffset(int outer, int inner);

}  // namespace tessaro
