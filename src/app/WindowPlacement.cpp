#include "src/app/WindowPlacement.h"

#include <array>
#include <charconv>
#include <cstdio>

#include <QWidget>

namespace kelo {

std::optional<int> KCGetInt(std::string_view text, size_t& pos)
{
    size_t p = pos;
    while (p < text.size() && text[p] == ' ') ++p;
    size_t digits = p;
    if (digits < text.size() && (text[digits] == '-' || text[digits] == '+')) ++digits;
    if (digits >= text.size() || text[digits] < '0' || text[digits] > '9') return std::nullopt;
    const char* first = text.data() + (text[p] == '+' ? p + 1 : p);
    int value = 0;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (ec != std::errc()) return std::nullopt;
    p = static_cast<size_t>(end - text.data());
    while (p < text.size() && text[p] == ' ') ++p;
    if (p < text.size() && text[p] == ',') ++p;
    pos = p;
    return value;
}

WindowPlacement WindowPlacement::Of(const QWidget* window)
{
    WindowPlacement w;
    if (window->isMinimized())
        w.showCommand = kShowMinimised;
    else if (window->isMaximized())
        w.showCommand = kShowMaximised;
    const QRect r = window->isMaximized() || window->isMinimized() ? window->normalGeometry()
                                                                   : window->geometry();
    w.left = r.x();
    w.top = r.y();
    w.right = r.x() + r.width();
    w.bottom = r.y() + r.height();
    return w;
}

std::string WindowPlacement::Format() const
{
    char text[160];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCommand, minX,
                  minY, maxX, maxY, left, top, right, bottom);
    return text;
}

std::optional<WindowPlacement> WindowPlacement::Parse(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    std::array<int, 10> v{};
    size_t pos = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const std::optional<int> n = KCGetInt(text, pos);
        if (!n) {
            if (i < 9) return std::nullopt;
            break;
        }
        v[i] = *n;
    }
    return WindowPlacement{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]};
}

bool WindowPlacement::Fits(int screenWidth, int screenHeight, int buttonWidth,
                           int buttonHeight) const
{
    return right >= 1 && bottom >= 1 && left < screenWidth - 3 * buttonWidth &&
           top < screenHeight - 3 * buttonHeight;
}

int WindowPlacement::RestoredShowCommand() const
{
    return showCommand == kShowMinimised || showCommand == kMinimise ? kShowNormal : showCommand;
}

void WindowPlacement::ApplyTo(QWidget* window) const
{
    window->setGeometry(NormalRect());
    if (RestoredShowCommand() == kShowMaximised)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else
        window->setWindowState(window->windowState() & ~(Qt::WindowMaximized |
                                                         Qt::WindowMinimized));
}

}  // namespace kelo
