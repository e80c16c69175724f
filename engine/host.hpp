#pragma once

#include <string>

namespace semtra {

// Cursors the turn puts on its nine controls, with the window library's numbers.
enum class Cursor { HourGlass = -11, No = -18 };

// The sound cues the engine asks for.
enum class Cue {
    UserLine, // the user's line is echoed
    BotLine,  // the bot speaks: a reply or an idle remark
};

// How a line added to the dialogue view is styled.
enum class LineStyle {
    User,   // the user's colour and font
    Bot,    // the bot's colour and font
    Remark, // only the shared colour, for an idle remark
};

// What a turn needs of the window around it. The window implements it; so do the
// terminal chat and the tests. Texts are Windows-1251.
class Host {
  public:
    virtual ~Host() = default;

    // The input line (`Edit1`) and emptying it (its change event fires as for any edit).
    virtual std::string inputText() = 0;
    virtual void clearInput() = 0;

    // The mode: which of `CpuUser1` and `Cpu31` is checked.
    virtual bool cpuUserChecked() = 0;
    virtual bool cpu3Checked() = 0;

    // The dialogue view (`RichEdit1`): its lines as they stand and appending one. A text
    // with a line break inside becomes several lines.
    virtual int viewLineCount() = 0;
    virtual std::string viewLine(int index) = 0;
    virtual void appendViewLine(const std::string& text, LineStyle style) = 0;

    // The cursor of the nine controls a turn marks busy.
    virtual void setCursors(Cursor cursor) = 0;

    virtual void playCue(Cue cue) = 0;

    // Where the Cpu\Cpu mode writes its reply: the editor window's path field.
    virtual std::string exchangeWritePath() = 0;

    // A farewell was said: start the shrink-and-exit (`Timer4`).
    virtual void enableTimer4() = 0;
};

} // namespace semtra
