// Where the plug-in's one diagnostic line goes (the debugger output on Windows).
#pragma once

namespace adjustui {

class DebugSink {
  public:
    virtual ~DebugSink() = default;
    virtual void Line(const char* text) = 0;
};

}  // namespace adjustui
