#pragma once
// Makes windows built from descriptions create real buttons for the
// "vbButton" kind: each is loaded from the description's "properties" bag
// through the button's own load (or set up as a new instance when the
// description has none), and named for the ambient display name after the
// control ("btn(2)" for member 2 of an array).

namespace vb {

void registerVbButton();

} // namespace vb
