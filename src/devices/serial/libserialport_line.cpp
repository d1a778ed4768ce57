#include "devices/serial/libserialport_line.h"

#include <fcntl.h>
#include <libserialport.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace trindel {

std::string openFailureText(const std::string& path, int errorNumber) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
            return "Permission denied for " + path +
                   ": add yourself to the dialout group (sudo usermod -aG dialout $USER), then "
                   "log out and in again.";
        case EBUSY:
            return path + " is in use by another program.";
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "There is no serial port " + path + " (is the adapter plugged in?).";
        default:
            return "Cannot open " + path + ": " + std::strerror(errorNumber) + ".";
    }
}

LibSerialPortLine::~LibSerialPortLine() {
    close();
}

bool LibSerialPortLine::open(const std::string& path, int32_t baud, std::string& error) {
    close();
    failed_ = false;
    if (sp_get_port_by_name(path.c_str(), &port_) != SP_OK) {
        port_ = nullptr;
        return openWithTermios(path, baud, error);
    }
    if (sp_open(port_, SP_MODE_READ_WRITE) != SP_OK) {
        const int code = sp_last_error_code();
        sp_free_port(port_);
        port_ = nullptr;
        error = openFailureText(path, code);
        return false;
    }
    sp_port_config* config = nullptr;
    bool ok = sp_new_config(&config) == SP_OK;
    // DTR and RTS stay as they are (-1 leaves them): pseudo-terminals refuse modem-line calls.
    ok = ok && sp_set_config_baudrate(config, baud) == SP_OK &&
         sp_set_config_bits(config, 8) == SP_OK &&
         sp_set_config_parity(config, SP_PARITY_NONE) == SP_OK &&
         sp_set_config_stopbits(config, 1) == SP_OK &&
         sp_set_config_xon_xoff(config, SP_XONXOFF_DISABLED) == SP_OK &&
         sp_set_config_cts(config, SP_CTS_IGNORE) == SP_OK &&
         sp_set_config_dsr(config, SP_DSR_IGNORE) == SP_OK &&
         sp_set_config(port_, config) == SP_OK && sp_get_port_handle(port_, &fd_) == SP_OK;
    const int code = sp_last_error_code();
    sp_free_config(config);
    if (!ok) {
        close();
        error = "Cannot set " + path + " to " + std::to_string(baud) +
                " baud, 8 data bits, no parity: " + std::strerror(code != 0 ? code : EINVAL) + ".";
        return false;
    }
    return true;
}

namespace {

speed_t termiosSpeed(int32_t baud) {
    switch (baud) {
        case 230400:
            return B230400;
        case 115200:
            return B115200;
        case 57600:
            return B57600;
        case 38400:
            return B38400;
        case 19200:
            return B19200;
        case 9600:
            return B9600;
        case 4800:
            return B4800;
        case 2400:
            return B2400;
        case 1800:
            return B1800;
        case 1200:
            return B1200;
        case 600:
            return B600;
        case 300:
            return B300;
        case 200:
            return B200;
        case 150:
            return B150;
        case 134:
            return B134;
        case 110:
            return B110;
        default:
            return B9600;
    }
}

}  // namespace

bool LibSerialPortLine::openWithTermios(const std::string& path, int32_t baud, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = openFailureText(path, errno);
        return false;
    }
    termios t{};
    bool ok = ::tcgetattr(fd, &t) == 0;
    if (ok) {
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
        t.c_cflag |= CS8;
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        t.c_lflag &= ~static_cast<tcflag_t>(ICANON);
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        ::cfsetspeed(&t, termiosSpeed(baud));
        ok = ::tcsetattr(fd, TCSANOW, &t) == 0;
    }
    if (!ok) {
        const int code = errno;
        ::close(fd);
        error = openFailureText(path, code);
        return false;
    }
    fd_ = fd;
    return true;
}

void LibSerialPortLine::close() {
    if (port_ != nullptr) {
        sp_close(port_);
        sp_free_port(port_);
        port_ = nullptr;
    } else if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
}

bool LibSerialPortLine::send(std::string_view bytes) {
    if (fd_ < 0 || failed_) {
        return false;
    }
    // A short time-out: a line that does not drain never holds the program.
    if (port_ != nullptr) {
        const int written = sp_blocking_write(port_, bytes.data(), bytes.size(), 1000);
        failed_ = written < 0;
        return written >= 0 && static_cast<size_t>(written) == bytes.size();
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            failed_ = true;
            return false;
        }
        pollfd pfd{fd_, POLLOUT, 0};
        if (::poll(&pfd, 1, 1000) <= 0 || (pfd.revents & (POLLHUP | POLLERR)) != 0) {
            failed_ = (pfd.revents & (POLLHUP | POLLERR)) != 0;
            return false;
        }
    }
    return true;
}

size_t LibSerialPortLine::available() {
    if (fd_ < 0 || failed_) {
        return 0;
    }
    int waiting = 0;
    if (port_ != nullptr) {
        waiting = sp_input_waiting(port_);
    } else if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
        waiting = -1;
    }
    if (waiting < 0) {
        failed_ = true;
        return 0;
    }
    if (waiting == 0) {
        // A vanished port reads as "nothing waiting"; poll() tells a hang-up apart.
        pollfd pfd{fd_, POLLIN, 0};
        if (::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            failed_ = true;
        }
    }
    return static_cast<size_t>(waiting);
}

std::string LibSerialPortLine::read(size_t count) {
    std::string out;
    if (fd_ < 0 || failed_ || count == 0) {
        return out;
    }
    out.resize(count);
    ssize_t got = 0;
    if (port_ != nullptr) {
        got = sp_nonblocking_read(port_, out.data(), count);
    } else {
        got = ::read(fd_, out.data(), count);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
            got = 0;
        }
    }
    if (got < 0) {
        failed_ = true;
        out.clear();
        return out;
    }
    out.resize(static_cast<size_t>(got));
    return out;
}

bool LibSerialPortLine::waitForInput(double timeoutSeconds) {
    if (fd_ < 0 || failed_) {
        return false;
    }
    pollfd pfd{fd_, POLLIN, 0};
    const int ms = timeoutSeconds <= 0.0 ? 0 : static_cast<int>(std::ceil(timeoutSeconds * 1e3));
    int ready = 0;
    do {
        ready = ::poll(&pfd, 1, ms);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        return false;
    }
    if ((pfd.revents & POLLIN) != 0) {
        return true;
    }
    failed_ = (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    return false;
}

}  // namespace trindel
