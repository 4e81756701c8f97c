// The accuracy statement of the note on the method (docs/method.md), as one paragraph of plain
// text for the documents that quote it; taken from the note when the build is configured.
#pragma once

extern const char* const kAccuracyStatement;
