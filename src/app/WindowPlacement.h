#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QRect>

class QWidget;

namespace kelo {

// A window's placement as the settings keep it: ten comma-separated numbers, "flags, show
// command, minimised x, y, maximised x, y, normal left, top, right, bottom".
struct WindowPlacement {
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimised = 2;
    static constexpr int kShowMaximised = 3;
    static constexpr int kMinimise = 6;

    int flags = 0;
    int showCommand = kShowNormal;
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The placement of a window as it stands (its normal rectangle, even when maximised).
    static WindowPlacement Of(const QWidget* window);
    std::string Format() const;
    // Nothing when the text is empty or any of the first nine numbers is missing; a missing
    // tenth leaves bottom at 0, which Fits() rejects.
    static std::optional<WindowPlacement> Parse(std::string_view text);
    // The edges a restore accepts: right and bottom at least 1, left and top short of the
    // screen's far edge by three caption buttons.
    bool Fits(int screenWidth, int screenHeight, int buttonWidth, int buttonHeight) const;
    // A minimised show command (2 or 6) opens normally instead.
    int RestoredShowCommand() const;
    QRect NormalRect() const { return QRect(left, top, right - left, bottom - top); }
    // Moves and sizes the window, maximised when the show command says so.
    void ApplyTo(QWidget* window) const;
};

// The platform's comma-list number reader: the integer that starts `pos` (spaces and one sign
// allowed before the digits); sets `pos` after it and the comma that follows. Nothing when no
// integer is there.
std::optional<int> KCGetInt(std::string_view text, size_t& pos);

}  // namespace kelo
