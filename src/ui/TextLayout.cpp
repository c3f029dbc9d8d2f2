#include "ui/TextLayout.h"

namespace ui {

std::u16string StripPrefix(const std::u16string& text, int* underline) {
    std::u16string out;
    if (underline) *underline = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size()) break;
        if (text[i + 1] != u'&' && underline && *underline < 0) *underline = static_cast<int>(out.size());
        out += text[++i];
    }
    return out;
}

char16_t AcceleratorOf(const std::u16string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

namespace {

// Breaks one paragraph at blanks so that no line is wider than the limit, unless a single word is.
std::vector<std::u16string> WrapParagraph(const std::u16string& paragraph, int limit, const WidthMeasure& width) {
    std::vector<std::u16string> lines;
    std::u16string current;
    std::size_t i = 0;
    while (i < paragraph.size()) {
        std::size_t end = i;
        while (end < paragraph.size() && paragraph[end] != u' ') ++end;
        const std::u16string word = paragraph.substr(i, end - i);
        const std::u16string candidate = current.empty() ? word : current + u" " + word;
        if (!current.empty() && width(candidate) > limit) {
            lines.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        i = end;
        while (i < paragraph.size() && paragraph[i] == u' ') ++i;
    }
    lines.push_back(current);
    return lines;
}

}  // namespace

TextLayout LayOutText(const std::u16string& text, const TRect& rect, unsigned flags,
                      const WidthMeasure& width, int lineHeight) {
    const bool single = (flags & dtSingleLine) != 0;
    std::vector<std::u16string> raw;
    if (single) {
        std::u16string joined;
        for (char16_t c : text)
            if (c != u'\r' && c != u'\n') joined += c;
        raw.push_back(joined);
    } else {
        std::u16string current;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' || text[i] == u'\n') {
                raw.push_back(current);
                current.clear();
                if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            } else {
                current += text[i];
            }
        }
        raw.push_back(current);
    }

    TextLayout layout;
    const bool prefix = (flags & dtNoPrefix) == 0;
    for (const auto& paragraph : raw) {
        int underline = -1;
        const std::u16string shown = prefix ? StripPrefix(paragraph, &underline) : paragraph;
        if (flags & dtHidePrefix) underline = -1;
        std::vector<std::u16string> pieces{shown};
        if (!single && (flags & dtWordBreak)) pieces = WrapParagraph(shown, rect.Width(), width);
        int offset = 0;
        for (const auto& piece : pieces) {
            TextLine line;
            line.Text = piece;
            line.Width = width(piece);
            if (underline >= offset && underline < offset + static_cast<int>(piece.size()))
                line.Underline = underline - offset;
            offset += static_cast<int>(piece.size()) + 1;
            layout.Lines.push_back(line);
        }
    }
    if (text.empty()) layout.Lines.clear();

    for (const auto& line : layout.Lines)
        if (line.Width > layout.Width) layout.Width = line.Width;
    layout.Height = static_cast<int>(layout.Lines.size()) * lineHeight;

    int y = rect.Top;
    if (single && (flags & dtVCenter)) y = rect.Top + (rect.Height() - lineHeight) / 2;
    else if (single && (flags & dtBottom)) y = rect.Bottom - lineHeight;
    for (auto& line : layout.Lines) {
        if (flags & dtCenter) line.X = rect.Left + (rect.Width() - line.Width) / 2;
        else if (flags & dtRight) line.X = rect.Right - line.Width;
        else line.X = rect.Left;
        line.Y = y;
        y += lineHeight;
    }
    return layout;
}

}  // namespace ui
