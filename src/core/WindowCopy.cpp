#include "core/WindowCopy.h"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <GL/glext.h>

namespace {

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC generate = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC remove = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DPROC attach = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC status = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blit = nullptr;
    bool complete() const { return generate && remove && bind && attach && status && blit; }
};

template <typename Call> Call lookUp(const char* name) {
    return reinterpret_cast<Call>(sf::Context::getFunction(name));
}

const FramebufferCalls& calls() {
    // The addresses do not depend on the context they were asked in.
    static const FramebufferCalls found{lookUp<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers"),
                                        lookUp<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers"),
                                        lookUp<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer"),
                                        lookUp<PFNGLFRAMEBUFFERTEXTURE2DPROC>("glFramebufferTexture2D"),
                                        lookUp<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus"),
                                        lookUp<PFNGLBLITFRAMEBUFFERPROC>("glBlitFramebuffer")};
    return found;
}

} // namespace

bool copyIntoWindow(sf::RenderWindow& window, const sf::Texture& texture,
                    const std::vector<CopiedPiece>& pieces) {
    // A copy cannot land in a window of several samples a pixel.
    if (window.getSettings().antialiasingLevel > 0 || !window.setActive(true))
        return false;
    const FramebufferCalls& gl = calls();
    if (!gl.complete())
        return false;
    // Framebuffers belong to one context and the window's is made anew when
    // it is, so the reading one lives for this copy only.
    GLuint reading = 0;
    gl.generate(1, &reading);
    gl.bind(GL_READ_FRAMEBUFFER, reading);
    gl.attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture.getNativeHandle(), 0);
    const bool ready = gl.status(GL_READ_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (ready) {
        gl.bind(GL_DRAW_FRAMEBUFFER, 0);
        // Both keep their rows bottom first: a texture drawn into, as the
        // window, has its top row last.
        const auto rows = static_cast<GLint>(texture.getSize().y),
                   windowRows = static_cast<GLint>(window.getSize().y);
        for (const CopiedPiece& piece : pieces) {
            const sf::IntRect& to = piece.to;
            const auto x = static_cast<GLint>(piece.from.x), y = static_cast<GLint>(piece.from.y);
            gl.blit(x, rows - y - to.height, x + to.width, rows - y, to.left, windowRows - to.top - to.height,
                    to.left + to.width, windowRows - to.top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
    }
    gl.bind(GL_FRAMEBUFFER, 0);
    gl.remove(1, &reading);
    return ready;
}
