// An empty program: the layering checks link one library whole into it.
int main() { return 0; }
