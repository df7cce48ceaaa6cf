#pragma once
// The one process-wide instance of a manager or a menu screen: created on
// first use, never replaced, and destroyed only at shutdown (tests may
// destroy and recreate it). A class opts in by deriving from Singleton<Itself>
// and befriending it, so only the accessor can construct it.

template <typename T> class Singleton {
  public:
    static T* getInstance() {
        if (!instance)
            instance = new T();
        return instance;
    }
    static bool exists() { return instance != nullptr; }
    static void destroyInstance() {
        delete instance;
        instance = nullptr;
    }

  protected:
    Singleton() = default;
    ~Singleton() = default;

  private:
    static inline T* instance = nullptr;
};
