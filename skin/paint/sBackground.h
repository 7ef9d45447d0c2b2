// The answering side of the background query (command 34), used by the common handler.
#pragma once
#include "skin/paint/sCommonData.h"

// Fills q for a child of the control that owns d: a colour, the control's cache (bringing it up to
// date first), "not ready yet", or the answer of the control's own parent when it is transparent.
void AnswerBackgroundQuery(TsCommonData& d, TsBackgroundQuery& q);
// Whether the control gives its cache to children as their background: always when opaque for
// children; when transparent, only while hot and not a container.
bool LendsCache(const TsCommonData& d);
