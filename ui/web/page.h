#pragma once

// The page's side of the engine (page.js), as the C++ side calls it. Windows are numbered,
// controls named as in their design; texts are UTF-16, ending in a zero; strings the page returns
// are allocated with malloc, for the caller to free. Lengths are CSS pixels.
extern "C" {
int web_can(const char* capability);  // by the name the engine gives it
void web_use_texts(const char16_t* closeBox, const char16_t* closeMark, const char16_t* ended,
                   const char16_t* startAgain);
void web_create_window(int window, const char16_t* title, int box);
void web_create_control(int window, const char* name, const char* kind, const char16_t* caption,
                        const char* group, const char* labelFor, const char16_t* accessibleName,
                        int bold, int critical);
void web_lay_window(int window, int width, int height);
void web_lay_control(int window, const char* name, int left, int top, int width, int height,
                     int fontPixels);
void web_draw_line(int window, int left, int top, int width, int height);
void web_destroy_window(int window);
void web_show_window(int window);
void web_stack(const int* windows, int count);  // back to front
void web_set_enabled(int window, int enabled);
char16_t* web_text(int window, const char* control);
void web_set_text(int window, const char* control, const char16_t* text);
int web_checked(int window, const char* control);
void web_set_checked(int window, const char* control, int checked);
void web_focus(int window, const char* control);
int web_caret(int window, const char* control);
void web_move_caret(int window, const char* control, int to);
void web_take_keyboard(int window);
void web_mark_default(int window, const char* button);
int web_text_room(int window, const char* control);
int web_text_width(int window, const char* control, const char16_t* text, int pixels);
void web_show_text(int window, const char* control, int pixels, int clearLeft, int clearRight,
                   int markLeft, int markRight, int first, int caretToFirst, const char16_t* cutMark,
                   const char16_t* tooltip);
void web_frame(int window, int* margins);  // left, top, right, bottom
void web_work_area(int* rect);             // left, top, width, height
void web_place(int window, int left, int top, double scale, int fingerPixels,
               const char16_t* notice);
void web_announce(int window, const char16_t* text);
// Returns once web_wake has been called, from an event the page reported meanwhile: the program
// waits so for a box of its, as on the desktop.
void web_wait();
void web_wake();
int web_decimal_separator();
void web_quit();
}
