#include "view/GlSupport.h"

#include <QOpenGLContext>

namespace tavrel {

bool CanMakeGlContext() {
  static const bool can = [] {
    QOpenGLContext context;
    return context.create();
  }();
  return can;
}

}  // namespace tavrel
