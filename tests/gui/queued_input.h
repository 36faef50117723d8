#pragma once
// Clicks (and the close box) put straight into the toolkit's own event queue, as if the display
// had delivered them: the window takes them at its next look at its input,
// in order, however busy the display server is, and GTK treats them as real
// ones (a disabled control ignores them). Input simulated through the
// display server may arrive after the moment a test needs it.

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#include <wx/window.h>

namespace queued_input {

// The input-only window GTK gives a widget without a window of its own (a
// button, a notebook's tabs), else the widget's own window.
inline GdkWindow* EventWindow(GtkWidget* widget) {
    GdkWindow* parent = gtk_widget_get_window(widget);
    if (gtk_widget_get_has_window(widget)) return parent;
    for (GList* child = gdk_window_peek_children(parent); child != nullptr; child = child->next) {
        void* owner = nullptr;
        gdk_window_get_user_data(GDK_WINDOW(child->data), &owner);
        if (owner == widget && gdk_window_is_input_only(GDK_WINDOW(child->data)))
            return GDK_WINDOW(child->data);
    }
    return parent;
}

// (x, y) in `window`'s coordinates.
inline void PutButtonEvent(GdkEventType type, GdkWindow* window, double x, double y) {
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(window));
    event->button.send_event = TRUE;
    event->button.time = GDK_CURRENT_TIME;
    event->button.x = x;
    event->button.y = y;
    int originX = 0, originY = 0;
    gdk_window_get_origin(window, &originX, &originY);
    event->button.x_root = originX + x;
    event->button.y_root = originY + y;
    event->button.button = 1;
    event->button.state = type == GDK_BUTTON_RELEASE ? GDK_BUTTON1_MASK : 0;
    // Gestures (a button's click) ignore events of no device.
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window)));
    gdk_event_set_device(event, pointer);
    gdk_event_set_source_device(event, pointer);
    gdk_event_put(event);
    gdk_event_free(event);
}

// A click of the first button at `at`, measured from the control's top left.
inline void Click(wxWindow* control, const wxPoint& at) {
    GtkWidget* widget = control->GetHandle();
    GdkWindow* window = EventWindow(widget);
    double x = at.x, y = at.y;
    if (window != gtk_widget_get_window(widget)) {
        // The input window sits inside the widget's area of its parent's window.
        GtkAllocation area;
        gtk_widget_get_allocation(widget, &area);
        int windowX = 0, windowY = 0;
        gdk_window_get_position(window, &windowX, &windowY);
        x += area.x - windowX;
        y += area.y - windowY;
    }
    PutButtonEvent(GDK_BUTTON_PRESS, window, x, y);
    PutButtonEvent(GDK_BUTTON_RELEASE, window, x, y);
}

// A click on a top-level window's close box, as the window manager reports it.
inline void CloseBox(wxWindow* topLevel) {
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(topLevel->GetHandle())));
    gdk_event_put(event);
    gdk_event_free(event);
}

}  // namespace queued_input
#endif
