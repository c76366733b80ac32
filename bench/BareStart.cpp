// The floor of a program start: a C++ program that does nothing.
int main() {
    return 0;
}
