#pragma once

// The page's side of the engine (page.js), as the C++ side calls it. Windows are numbered,
// controls named as in their design; texts are UTF-16, ending in a zero.
extern "C" {
void web_create_window(int window, const char16_t* title, int width, int height, int left, int top);
void web_create_control(int window, const char* name, int kind, const char16_t* caption, int left,
                        int top, int width, int height, int tabIndex, const char16_t* accessibleName,
                        int fontPixels, int bold, int isDefault);
void web_draw_line(int window, int x1, int y1, int x2, int y2);
void web_destroy_window(int window);
void web_show_window(int window);
void web_set_enabled(int window, int enabled);
char16_t* web_text(int window, const char* control);  // allocated with malloc: the caller frees it
void web_set_text(int window, const char* control, const char16_t* text);
int web_checked(int window, const char* control);
void web_set_checked(int window, const char* control, int checked);
void web_focus(int window, const char* control);
int web_text_room(int window, const char* control);
int web_text_width(int window, const char* control, int pixels);
void web_set_font_pixels(int window, const char* control, int pixels);
// Returns once the box is dismissed: the program waits for it, as on the desktop.
void web_show_box(const char16_t* text, int icon, const char16_t* title);
int web_decimal_separator();
}
