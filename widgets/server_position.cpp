#include "widgets/server_position.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

} // namespace

std::optional<QPoint> ServerPosition(const QWidget* window) {
    if (!window || !window->isWindow() || !window->internalWinId())
        return std::nullopt;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->internalWinId());
    const ReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    if (!tree)
        return std::nullopt;
    const ReplyPtr<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, tree->root, 0, 0), nullptr));
    if (!origin)
        return std::nullopt;
    return QPoint(origin->dst_x, origin->dst_y);
}
