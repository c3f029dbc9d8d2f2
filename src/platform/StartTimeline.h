#pragma once
// A timeline of the program's start, to see where the time before its first frame goes: each mark
// is a step's name with the milliseconds since the process was created, by the program's own
// clock. Only a build made with the NIMBREL_TIMELINE option records and writes it (to the file
// that NIMBREL_TIMELINE_FILE names); in every other build the calls are nothing.
namespace platform {

#ifdef NIMBREL_TIMELINE
void MarkStart(const char* step);
// A window painted: its first paint, and the first few repaints after it.
void MarkFirstPaint(const char* name);
void WriteStartTimeline();
#else
inline void MarkStart(const char*) {}
inline void MarkFirstPaint(const char*) {}
inline void WriteStartTimeline() {}
#endif

}  // namespace platform
