#pragma once
// The one drag of the process: armed by BeginDrag, made real when the pointer moves beyond the
// threshold, ended by the release, Escape, a lost capture or the source going away. Controls
// call in from their mouse entry points; nothing here knows a platform.
#include "ui/Types.h"

namespace ui {

class TControl;
class TWinControl;

namespace DragSession {

void Begin(TControl* source, bool immediate, int threshold);
// Ends the drag of source; with drop, the control under the pointer gets it if it accepted.
void End(TControl* source, bool drop);
bool Active(const TControl* source);
// Armed by source but not yet begun (the pointer has not moved far enough).
bool Pending(const TControl* source);
// The source's pointer moved to a client point; true when the drag took the move.
bool SourceMoved(TControl* source, int x, int y);
// The source's left button came up; true when that ended a drag that was under way.
bool SourceReleased(TControl* source, int x, int y);
// A control is being destroyed: it is no source or target any more.
void ControlGone(const TControl* control);
// The control that would get the drop now (for tests and the pointer's look), or nullptr.
TControl* Target();

}  // namespace DragSession
}  // namespace ui
