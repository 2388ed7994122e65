// Windows metafiles, placeable or plain: the shared metafile target, run on its own corpus.
#include "metafilefuzz.h"
