#pragma once

// The page's side of the engine (page.js), as the C++ side calls it. Windows are numbered,
// controls named as in their design; texts are UTF-16, ending in a zero; strings the page returns
// are allocated with malloc, for the caller to free.
extern "C" {
void web_create_window(int window, const char16_t* title, int width, int height);
void web_create_control(int window, const char* name, const char* kind, const char16_t* caption,
                        int left, int top, int width, int height, const char* group,
                        const char* labelFor, const char16_t* accessibleName, int fontPixels,
                        int bold);
void web_draw_line(int window, int x1, int y1, int x2, int y2);
void web_destroy_window(int window);
void web_show_window(int window);
void web_set_enabled(int window, int enabled);
char16_t* web_text(int window, const char* control);
void web_set_text(int window, const char* control, const char16_t* text);
int web_checked(int window, const char* control);
void web_set_checked(int window, const char* control, int checked);
char* web_focused(int window);  // none: null
void web_focus(int window, const char* control);
void web_take_keyboard(int window);
void web_mark_default(int window, const char* button);
int web_text_room(int window, const char* control);
int web_text_width(int window, const char* control, const char16_t* text, int pixels);
void web_set_text_font(int window, const char* control, int pixels, int emptyRight,
                       const char16_t* cutMark);
void web_frame(int window, int* margins);  // left, top, right, bottom
void web_work_area(int* rect);             // left, top, width, height
void web_place(int window, int left, int top, double scale, int fingerPixels);
void web_announce(int window, const char16_t* text);
// Returns once the box is dismissed: the program waits for it, as on the desktop.
void web_show_box(const char16_t* text, int critical, const char16_t* title);
int web_decimal_separator();
void web_quit();
}
