// The picture pass: loads the eight sheets of the picture list into the renderer's slots,
// at start-up and again after every device rebuild.
#pragma once

// True when every picture loaded (or none needed loading); clears reloadPending then.
[[nodiscard]] bool LoadPictures();
