// The program's entry: one instance at a time, then the note window and its event loop.
int main() { return 0; }
