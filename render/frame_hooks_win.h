#pragma once
// The two points of a frame where others may draw on the work surface: after
// the background has been copied, and after the hands. The plug-in host is the
// one user.

#include <windows.h>

class FrameHooks {
public:
    virtual void OnDrawBegin(HDC work) = 0;
    virtual void OnDrawedImage(HDC work) = 0;
    // Whether a hook may draw at all; one that does may draw anywhere, so
    // every frame is then drawn whole.
    virtual bool DrawsOnFrames() const { return true; }

protected:
    ~FrameHooks() = default;
};
