#include "runtime/gfx/gl_extensions.h"

#include <algorithm>
#include <cstring>

#include "platform/services.h"

namespace rt {
namespace {

template <typename Function>
void fetch(Function& target, const char* name) {
    target = reinterpret_cast<Function>(platform::services().window->gl_proc_address(name));
}

bool extension_listed(const char* name) {
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

}  // namespace

GlExtensions& gl_extensions() {
    static GlExtensions entry_points;
    return entry_points;
}

void load_extension_entry_points() {
    GlExtensions& e = gl_extensions();
    e.any_texture_size = extension_listed("GL_ARB_texture_non_power_of_two");
    if (extension_listed("GL_ARB_multitexture")) {
        fetch(e.glActiveTextureARB, "glActiveTextureARB");
        fetch(e.glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
        fetch(e.glClientActiveTextureARB, "glClientActiveTextureARB");
        fetch(e.glGenBuffersARB, "glGenBuffersARB");
        fetch(e.glBindBufferARB, "glBindBufferARB");
        fetch(e.glBufferDataARB, "glBufferDataARB");
        fetch(e.glDeleteBuffersARB, "glDeleteBuffersARB");
        fetch(e.glMapBufferARB, "glMapBufferARB");
        fetch(e.glUnmapBufferARB, "glUnmapBufferARB");
        fetch(e.glGetBufferParameterivARB, "glGetBufferParameterivARB");
    }
    if (extension_listed("GL_ARB_fragment_program")) {
        fetch(e.glCreateProgramObjectARB, "glCreateProgramObjectARB");
        fetch(e.glDeleteObjectARB, "glDeleteObjectARB");
        fetch(e.glCreateShaderObjectARB, "glCreateShaderObjectARB");
        fetch(e.glShaderSourceARB, "glShaderSourceARB");
        fetch(e.glCompileShaderARB, "glCompileShaderARB");
        fetch(e.glGetObjectParameterivARB, "glGetObjectParameterivARB");
        fetch(e.glAttachObjectARB, "glAttachObjectARB");
        fetch(e.glGetInfoLogARB, "glGetInfoLogARB");
        fetch(e.glLinkProgramARB, "glLinkProgramARB");
        fetch(e.glUseProgramObjectARB, "glUseProgramObjectARB");
        fetch(e.glGetUniformLocationARB, "glGetUniformLocationARB");
        fetch(e.glUniform1fARB, "glUniform1fARB");
        fetch(e.glUniform1iARB, "glUniform1iARB");
    }
}

void load_framebuffer_entry_points() {
    GlExtensions& e = gl_extensions();
    fetch(e.glBindRenderbufferEXT, "glBindRenderbufferEXT");
    fetch(e.glDeleteRenderbuffersEXT, "glDeleteRenderbuffersEXT");
    fetch(e.glGenRenderbuffersEXT, "glGenRenderbuffersEXT");
    fetch(e.glRenderbufferStorageEXT, "glRenderbufferStorageEXT");
    fetch(e.glBindFramebufferEXT, "glBindFramebufferEXT");
    fetch(e.glDeleteFramebuffersEXT, "glDeleteFramebuffersEXT");
    fetch(e.glGenFramebuffersEXT, "glGenFramebuffersEXT");
    fetch(e.glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT");
    fetch(e.glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT");
    fetch(e.glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT");
}

int gl_max_texture_size() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return std::max(static_cast<int>(size), min_max_texture_size);
}

}  // namespace rt
