#include "shell/App.hpp"
