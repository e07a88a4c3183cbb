// Vexolan: plug-in organizer, converter and creator.
int main() { return 0; }
