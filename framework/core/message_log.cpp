// The ring of the last 25 messages and the painting of the text window.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "core/colours.h"
#include "core/framework_state.h"
#include "core/internal.h"
#include "tovik.h"

namespace tovik {

namespace {

int next_slot(int slot) { return (slot + 1) % LOG_RING_SIZE; }

void append_message(const char* text) {
    if (fw.log_head == fw.log_tail) {
        fw.log_ring[static_cast<std::size_t>(fw.log_head)].reset();
        fw.log_head = next_slot(fw.log_head);
    }
    const std::size_t length = std::strlen(text);
    char* copy = new (std::nothrow) char[length + 1];
    if (copy == nullptr) return;  // dropped; the ring stays as it was
    std::memcpy(copy, text, length + 1);
    fw.log_ring[static_cast<std::size_t>(fw.log_tail)].reset(copy);
    if (fw.log_head < 0) fw.log_head = fw.log_tail;
    fw.log_tail = next_slot(fw.log_tail);
}

// The off-screen image a painting draws on.  It is kept and made again only
// for a new size: painting follows every message, and a fresh image of the
// client area for each one is hundreds of kilobytes to map and clear.
Canvas* text_image(int width, int height) {
    std::unique_ptr<Canvas>& image = fw.text_image;
    if (!image || image->width() != width || image->height() != height) {
        image = platform().create_image(width, height);
    }
    return image.get();
}

}  // namespace

}  // namespace tovik

using namespace tovik;

int TOVIK_print(const char* format, ...) {
    char buffer[FORMAT_BUFFER_SIZE];
    std::va_list args;
    va_start(args, format);
    const int count = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (count < 0) buffer[0] = '\0';

    append_message(buffer);
    if (fw.text_window != 0) platform().invalidate(fw.text_window);
    return count;
}

namespace tovik {

void paint_text_window(WindowHandle window) {
    Platform& p = platform();
    p.begin_paint(window);
    const Rect client = p.client_rect(window);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const ContextHandle context = p.get_dc(window);
    Canvas* const image = text_image(width, height);
    if (image != nullptr) {
        const Colour background = colour_table[COLOUR_WHITE];
        image->fill_rect(0, 0, width, height, background);
        const FontRequest font{FontFace::FixedPitch, 0};
        const TextMetrics metrics = image->font_metrics(font);
        const int line_height = metrics.height + metrics.external_leading;

        int count = 0;
        for (int slot = fw.log_head; slot >= 0 && (slot != fw.log_tail || count == 0);
             slot = next_slot(slot), ++count) {
            char* message = fw.log_ring[static_cast<std::size_t>(slot)].get();
            image->scroll_up(line_height);
            image->fill_rect(client.left, client.bottom - line_height, client.right,
                             client.bottom + 1, background);
            const std::size_t length = std::strlen(message);
            if (length > 0 && message[length - 1] == '\n') message[length - 1] = '\0';
            image->text_out(font, client.left + 5, client.bottom - line_height, message,
                            colour_table[COLOUR_BLACK], false, background);
        }
        p.copy_image(window, context, *image, width, height);
    }
    p.end_paint(window);
    p.release_dc(window, context);
}

}  // namespace tovik
