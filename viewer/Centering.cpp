#include "Centering.h"

namespace tessaro {

int CenteredOffset(int outer, int inner) {
    const int difference = outer - inner;
    const int down = difference >= 0 ? difference / 2 : -((-difference + 1) / 2);  // floor
    if (difference % 2 == 0) {
        return down;
    }
    return down % 2 == 0 ? down : down + 1;  // halves go to the even neighbour
}

}  // namespace tessaro
