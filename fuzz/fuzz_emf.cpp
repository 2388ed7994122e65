// Enhanced metafiles: the shared metafile target, run on its own corpus.
#include "metafilefuzz.h"
