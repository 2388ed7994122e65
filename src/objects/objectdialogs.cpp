#include "objects/objectdialogs.h"

namespace dayloom {

ObjectDialogHooks& ObjectDialogs()
{
    static ObjectDialogHooks hooks;
    return hooks;
}

}  // namespace dayloom
