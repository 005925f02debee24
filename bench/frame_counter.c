/* Watches the running program from outside, without changing what it does: preloaded, it stands in
 * front of a few calls the program or Qt's X11 plugin make into other libraries and notes them in
 * the file named by SKARNHOLM_FRAME_COUNTER, mapped into memory, so that reading it costs the program
 * nothing. The file holds unsigned 64-bit numbers (see enum Slot): first the count of refreshes, one
 * per frame of the star field, then times of the wall clock in nanoseconds (CLOCK_REALTIME, the
 * clock bash's $EPOCHREALTIME reads, so a script can stamp the exec without starting a process), 0
 * until the moment has come.
 *
 * - QWidget::repaint(const QRect&): the program calls it for the star field's refresh alone (Qt's
 *   own calls stay inside Qt's library).
 * - xcb_shm_put_image and xcb_copy_area: the two ways Qt's backing store hands a window's image to
 *   the X server; the first one after the first refresh is the first frame on screen.
 * - xcb_wait_for_event and xcb_poll_for_queued_event: Qt's event reader thread takes each X event
 *   with them, so a key or button release is seen the moment it reaches the program.
 * - QMessageBox's constructor, QDialog::exec and xcb_create_window: a message box being built, run,
 *   and its window, whose first image is the box on screen. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdatomic.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

enum Slot {
    FRAMES,             /* refreshes so far */
    FIRST_REFRESH,      /* the first refresh began */
    FIRST_FRAME_SHOWN,  /* the first image handed to the X server after the first refresh began */
    FIRST_IMAGE,        /* the first image of any window handed to the X server */
    LAST_RELEASE,       /* the latest key or button release taken from the X server */
    RELEASE_BEFORE_BOX, /* LAST_RELEASE as it stood when the first message box was built */
    BOX_BUILD_START,    /* the first message box's constructor began */
    BOX_BUILT,          /* ... and returned */
    BOX_EXEC,           /* QDialog::exec began for the first time */
    BOX_WINDOW,         /* the id of the first window created after that (not a time) */
    BOX_SHOWN,          /* the first image of that window handed to the X server */
    SLOT_COUNT
};

static _Atomic uint64_t* slots;

__attribute__((constructor)) static void open_slots(void)
{
    const char* path = getenv("SKARNHOLM_FRAME_COUNTER");
    if (!path)
        return;
    int fd = open(path, O_RDWR | O_CREAT, 0644);
    if (fd < 0)
        return;
    const size_t size = SLOT_COUNT * sizeof *slots;
    if (ftruncate(fd, (off_t)size) == 0) {
        void* mapped = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapped != MAP_FAILED)
            slots = mapped;
    }
    close(fd);
}

static uint64_t now(void)
{
    struct timespec time;
    clock_gettime(CLOCK_REALTIME, &time);
    return (uint64_t)time.tv_sec * 1000000000u + (uint64_t)time.tv_nsec;
}

static uint64_t get(enum Slot slot)
{
    return slots ? atomic_load(&slots[slot]) : 0;
}

static void set(enum Slot slot, uint64_t value)
{
    if (slots)
        atomic_store(&slots[slot], value);
}

/* Only the first moment counts. */
static void set_once(enum Slot slot, uint64_t value)
{
    uint64_t unset = 0;
    if (slots)
        atomic_compare_exchange_strong(&slots[slot], &unset, value);
}

/* The definition this library stands in front of. Qt's X11 plugin is opened at run time along with
 * the xcb libraries it needs, which then lie outside RTLD_NEXT's reach: those are asked by name.
 * Looked up at the first call, when the library is surely loaded; two threads racing here find the
 * same address. */
static void* next(const char* name, const char* library, void* _Atomic* cache)
{
    void* function = atomic_load_explicit(cache, memory_order_relaxed);
    if (!function) {
        function = dlsym(RTLD_NEXT, name);
        if (!function && library) {
            void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
            if (handle)
                function = dlsym(handle, name);
        }
        if (!function)
            abort();
        atomic_store_explicit(cache, function, memory_order_relaxed);
    }
    return function;
}

#define NEXT(type, name, library)                 \
    static void* _Atomic cache;                   \
    const type next_##name = (type)next(#name, library, &cache)

void _ZN7QWidget7repaintERK5QRect(void* widget, const void* rect)
{
    typedef void (*Repaint)(void*, const void*);
    NEXT(Repaint, _ZN7QWidget7repaintERK5QRect, NULL);
    if (slots) {
        atomic_fetch_add(&slots[FRAMES], 1);
        set_once(FIRST_REFRESH, now());
    }
    next__ZN7QWidget7repaintERK5QRect(widget, rect);
}

static void image_handed_over(xcb_drawable_t window)
{
    if (!slots)
        return;
    const uint64_t time = now();
    set_once(FIRST_IMAGE, time);
    if (get(FIRST_REFRESH))
        set_once(FIRST_FRAME_SHOWN, time);
    if (get(BOX_EXEC) && get(BOX_WINDOW) == window)
        set_once(BOX_SHOWN, time);
}

/* From libxcb-shm, whose header the build does not need otherwise. */
xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t* connection, xcb_drawable_t drawable, xcb_gcontext_t gc,
                                    uint16_t total_width, uint16_t total_height, uint16_t src_x, uint16_t src_y,
                                    uint16_t src_width, uint16_t src_height, int16_t dst_x, int16_t dst_y,
                                    uint8_t depth, uint8_t format, uint8_t send_event, uint32_t shmseg,
                                    uint32_t offset)
{
    typedef xcb_void_cookie_t (*ShmPutImage)(xcb_connection_t*, xcb_drawable_t, xcb_gcontext_t, uint16_t, uint16_t,
                                             uint16_t, uint16_t, uint16_t, uint16_t, int16_t, int16_t, uint8_t,
                                             uint8_t, uint8_t, uint32_t, uint32_t);
    NEXT(ShmPutImage, xcb_shm_put_image, "libxcb-shm.so.0");
    const xcb_void_cookie_t cookie =
        next_xcb_shm_put_image(connection, drawable, gc, total_width, total_height, src_x, src_y, src_width,
                               src_height, dst_x, dst_y, depth, format, send_event, shmseg, offset);
    image_handed_over(drawable);
    return cookie;
}

xcb_void_cookie_t xcb_copy_area(xcb_connection_t* connection, xcb_drawable_t src_drawable,
                                xcb_drawable_t dst_drawable, xcb_gcontext_t gc, int16_t src_x, int16_t src_y,
                                int16_t dst_x, int16_t dst_y, uint16_t width, uint16_t height)
{
    typedef xcb_void_cookie_t (*CopyArea)(xcb_connection_t*, xcb_drawable_t, xcb_drawable_t, xcb_gcontext_t,
                                          int16_t, int16_t, int16_t, int16_t, uint16_t, uint16_t);
    NEXT(CopyArea, xcb_copy_area, "libxcb.so.1");
    const xcb_void_cookie_t cookie =
        next_xcb_copy_area(connection, src_drawable, dst_drawable, gc, src_x, src_y, dst_x, dst_y, width, height);
    image_handed_over(dst_drawable);
    return cookie;
}

xcb_void_cookie_t xcb_create_window(xcb_connection_t* connection, uint8_t depth, xcb_window_t wid,
                                    xcb_window_t parent, int16_t x, int16_t y, uint16_t width, uint16_t height,
                                    uint16_t border_width, uint16_t window_class, xcb_visualid_t visual,
                                    uint32_t value_mask, const void* value_list)
{
    typedef xcb_void_cookie_t (*CreateWindow)(xcb_connection_t*, uint8_t, xcb_window_t, xcb_window_t, int16_t,
                                              int16_t, uint16_t, uint16_t, uint16_t, uint16_t, xcb_visualid_t,
                                              uint32_t, const void*);
    NEXT(CreateWindow, xcb_create_window, "libxcb.so.1");
    if (get(BOX_EXEC))
        set_once(BOX_WINDOW, wid);
    return next_xcb_create_window(connection, depth, wid, parent, x, y, width, height, border_width, window_class,
                                  visual, value_mask, value_list);
}

static xcb_generic_event_t* event_taken(xcb_generic_event_t* event)
{
    if (event) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_KEY_RELEASE || type == XCB_BUTTON_RELEASE)
            set(LAST_RELEASE, now());
    }
    return event;
}

xcb_generic_event_t* xcb_wait_for_event(xcb_connection_t* connection)
{
    typedef xcb_generic_event_t* (*TakeEvent)(xcb_connection_t*);
    NEXT(TakeEvent, xcb_wait_for_event, "libxcb.so.1");
    return event_taken(next_xcb_wait_for_event(connection));
}

xcb_generic_event_t* xcb_poll_for_queued_event(xcb_connection_t* connection)
{
    typedef xcb_generic_event_t* (*TakeEvent)(xcb_connection_t*);
    NEXT(TakeEvent, xcb_poll_for_queued_event, "libxcb.so.1");
    return event_taken(next_xcb_poll_for_queued_event(connection));
}

/* QMessageBox::QMessageBox(Icon, const QString&, const QString&, StandardButtons, QWidget*,
 * Qt::WindowFlags); both flag sets are passed as plain ints. */
void _ZN11QMessageBoxC1ENS_4IconERK7QStringS3_6QFlagsINS_14StandardButtonEEP7QWidgetS4_IN2Qt10WindowTypeEE(
    void* box, int icon, const void* title, const void* text, int buttons, void* parent, int flags)
{
    typedef void (*Construct)(void*, int, const void*, const void*, int, void*, int);
    NEXT(Construct, _ZN11QMessageBoxC1ENS_4IconERK7QStringS3_6QFlagsINS_14StandardButtonEEP7QWidgetS4_IN2Qt10WindowTypeEE,
         NULL);
    const int first = slots && !get(BOX_BUILD_START);
    if (first) {
        set(RELEASE_BEFORE_BOX, get(LAST_RELEASE));
        set(BOX_BUILD_START, now());
    }
    next__ZN11QMessageBoxC1ENS_4IconERK7QStringS3_6QFlagsINS_14StandardButtonEEP7QWidgetS4_IN2Qt10WindowTypeEE(
        box, icon, title, text, buttons, parent, flags);
    if (first)
        set(BOX_BUILT, now());
}

int _ZN7QDialog4execEv(void* dialog)
{
    typedef int (*Exec)(void*);
    NEXT(Exec, _ZN7QDialog4execEv, NULL);
    set_once(BOX_EXEC, now());
    return next__ZN7QDialog4execEv(dialog);
}
