#pragma once
// What the open and save dialogs show for one kind of file: the name they
// suggest, the extension they add and their filter, in the "Text|*.ext|...|"
// form the dialogs take.

#include <string_view>

namespace tavrel {

struct FileDialogKind {
  std::string_view defaultName;
  std::string_view extension;
  std::string_view filter;
};

}  // namespace tavrel
