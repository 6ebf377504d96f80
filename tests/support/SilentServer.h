#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A server that takes every connection and never says a word.
class SilentServer {
public:
    SilentServer() {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_socket, 16);
        socklen_t length = sizeof address;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            while (!m_stop) {
                pollfd waiting{m_socket, POLLIN, 0};
                if (::poll(&waiting, 1, 100) > 0) {
                    const int client = ::accept(m_socket, nullptr, nullptr);
                    if (client >= 0)
                        m_clients.push_back(client);
                }
            }
        });
    }
    ~SilentServer() {
        m_stop = true;
        m_thread.join();
        for (const int c : m_clients)
            ::close(c);
        ::close(m_socket);
    }
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::vector<int> m_clients;
    std::thread m_thread;
};
