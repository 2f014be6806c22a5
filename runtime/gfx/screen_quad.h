#pragma once
#include "runtime/gfx/gl.h"

namespace rt {

// A quad showing the used part of a texture read back from the screen: the
// texture's rows run bottom-up, so its top edge is t = t_top.
inline void draw_screen_texture_quad(float left, float top, float right, float bottom, float s_right, float t_top) {
    glBegin(GL_QUADS);
    glTexCoord2f(s_right, t_top);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, t_top);
    glVertex2f(left, top);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(s_right, 0.0f);
    glVertex2f(right, bottom);
    glEnd();
}

}  // namespace rt
